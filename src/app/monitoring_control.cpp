// Start and stop of the live monitoring thread, and the window's side of it:
// the display of what it finds and the direct commands of the root page.
#include "app/main_window.h"
#include "app/status_command_window.h"
#include "monitor/main_panel_control.h"
#include "monitor/main_status_page.h"
#include "monitor/monitor_display.h"

#include <QTimer>
#include <memory>

struct TForm1::MonitoringState {
    MonitorDisplay* display = nullptr; // child of the window
    std::unique_ptr<TMainPanelControl> thread;
};

void TForm1::initMonitoring() {
    monitoring_ = new MonitoringState;
    auto* statusPage = qobject_cast<MainStatusPage*>(page(0));
    MonitorWindowHooks hooks;
    hooks.setStatusPanel = [this](int panel, const QString& text) {
        setStatusPanelText(panel, text);
    };
    hooks.page = [this](int pageIndex) -> QWidget* { return page(pageIndex); };
    hooks.password = [this] {
        return QByteArray(reinterpret_cast<const char*>(image_.data()) + 20, 8);
    };
    hooks.identified = [this](bool identified) { emit controllerIdentified(identified); };
    hooks.shownPage = [this] { return ShownPage; };
    monitoring_->display = new MonitorDisplay(statusPage, std::move(hooks), this);
    if (statusPage)
        connect(
            statusPage, &MainStatusPage::commandRequested, this,
            [this](const ControlCommand& command) { RunStatusCommandInWindow(*this, command); });
}

void TForm1::finishMonitoring() {
    stopMonitoring();
    delete monitoring_;
    monitoring_ = nullptr;
}

void TForm1::startMonitoring() {
    if (!monitoring_ || monitoring_->thread)
        return; // at most one monitoring thread
    auto thread = std::make_unique<TMainPanelControl>(portName_, *monitoring_->display,
                                                      [this] { return publishedPageIndex(); });
    thread->setGsmTexts(texts_.GsmStateTexts);
    thread->start(QThread::NormalPriority);
    monitoring_->thread = std::move(thread);
}

void TForm1::stopMonitoring() {
    // Whoever stops monitoring uses the port next and restarts monitoring when
    // done: a pending first start or resume must not fire in the middle.
    Timer2->stop();
    if (!monitoring_ || !monitoring_->thread)
        return;
    StopMonitorThread(*monitoring_->thread);
    monitoring_->thread.reset();
}
