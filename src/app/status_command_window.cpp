#include "app/status_command_window.h"

#include "app/main_window.h"
#include "monitor/main_status_page.h"
#include "monitor/status_commands.h"

#include <QColor>

namespace {

class WindowCommandHost : public StatusCommandHost {
public:
    WindowCommandHost(TForm1& w, MainStatusPage* statusPage) : w_(w), page_(statusPage) {}

    QString portName() const override { return w_.portName(); }
    QByteArray password() const override {
        return QByteArray(reinterpret_cast<const char*>(w_.configImage().data()) + 20, 8);
    }
    void stopMonitoring() override { w_.stopMonitoring(); }
    void startMonitoring() override { w_.startMonitoring(); }
    void setBusy(bool busy) override {
        w_.setBusy(busy);
        if (busy)
            w_.repaint();
    }
    void showStatus(const QString& text, StatusColour colour) override {
        if (page_)
            page_->showAction(text, QColor(statusQtColour(colour)));
    }
    void showIdentification(const DeviceIdentity& identity) override {
        if (page_)
            page_->showIdentification(identity);
        w_.setStatusPanelText(2, identity.versionString());
    }
    void showCommandResult(const QString& text) override { w_.setStatusPanelText(3, text); }

private:
    TForm1& w_;
    MainStatusPage* page_;
};

} // namespace

void RunStatusCommandInWindow(TForm1& window, const ControlCommand& command) {
    // A device operation holds the port: a command now would cut in.
    if (window.isBusy())
        return;
    WindowCommandHost host(window, qobject_cast<MainStatusPage*>(window.page(0)));
    RunStatusCommand(host, command);
}
