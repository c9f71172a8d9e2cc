#include "monitor/main_panel_control.h"

#include "link/identification.h"
#include "link/run_transaction.h"
#include "link/tread_data.h"
#include "pages/ui_texts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

namespace {

// The monitoring's identification: the labels are shown through the view,
// the transaction's own texts stay in the hidden status label (not shown),
// refusals go to the root page's status line in red.
class MonitorIdentificationSink : public IdentificationSink {
public:
    using Post = std::function<void(std::function<void(MonitorView&)>)>;
    explicit MonitorIdentificationSink(Post post) : post_(std::move(post)) {}

    void showStatus(const QString&, StatusColour) override {}
    void showIdentification(const DeviceIdentity& identity) override {
        post_([identity](MonitorView& v) { v.showIdentification(identity); });
    }
    void showRefusal(IdentifyOutcome, const QString& text, StatusColour colour) override {
        post_([text, colour](MonitorView& v) { v.showAction(text, colour); });
    }

private:
    Post post_;
};

} // namespace

TMainPanelControl::TMainPanelControl(const QString& portName, MonitorView& view,
                                     std::function<int()> currentPage, QObject* parent)
    : QThread(parent), gsmTexts(UiTexts::russian().GsmStateTexts),
      ownGsmTexts(UiTexts::russian().GsmStateTexts), portName_(portName), view_(view),
      currentPage_(std::move(currentPage)) {}

TMainPanelControl::~TMainPanelControl() {
    if (isRunning())
        StopMonitorThread(*this);
    wait();
}

template <typename F> void TMainPanelControl::post(F f) {
    MonitorView* view = &view_;
    inbox_.post([view, f = std::move(f)] { f(*view); });
}

template <typename R, typename F> R TMainPanelControl::ask(F f) {
    R result{};
    MonitorView* view = &view_;
    inbox_.invokeAndWait([view, &result, &f] { result = f(*view); });
    return result;
}

bool TMainPanelControl::pause() {
    const QDeadlineTimer until(kPauseMs);
    while (!until.hasExpired()) {
        if (isInterruptionRequested())
            return false;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(10, until.remainingTime())));
    }
    return !isInterruptionRequested();
}

void TMainPanelControl::run() {
    while (!isInterruptionRequested()) {
        if (!pause())
            break;
        try {
            cycle();
        } catch (...) {
            // Whatever went wrong, the polling goes on.
            post([text = QLatin1Char(' ') + portName_ + QStringLiteral(" не найден.")](
                     MonitorView& v) { v.setStatusPanel(3, text); });
        }
        cycles_.fetch_add(1);
    }
}

void TMainPanelControl::cycle() {
    page = currentPage_ ? currentPage_() : -1;

    MonitorIdentificationSink sink([this](std::function<void(MonitorView&)> f) { post(f); });
    IdentifyOptions options;
    options.messages = messages_;
    options.refusalInRed = true;
    options.channelFactory = factory_;
    const IdentifyResult r = IdentifyAndCheck(portName_, sink, options);
    const QString text = r.transactionText;

    if (r.outcome == IdentifyOutcome::NoIdentification) {
        // The placeholder is already shown through the sink.
        post([text](MonitorView& v) {
            v.setStatusPanel(3, text);
            v.setStatusPanel(1, QStringLiteral("NC"));
            v.showAction(QString(), StatusColour::Progress);
            v.setIdentified(false);
        });
        identified.store(false);
        setPriority(QThread::IdlePriority);
        return;
    }
    post([text, port = portName_](MonitorView& v) {
        v.setStatusPanel(3, text);
        v.setStatusPanel(1, port);
        v.setIdentified(true);
    });
    identified.store(true);
    setPriority(QThread::NormalPriority);
    // An unsupported device or version: its red text is shown; nothing more.
    if (!r.supported())
        return;
    pageStep();
}

void TMainPanelControl::pageStep() {
    if (page == 0)
        rootStep();
    else if (page == 14)
        clockStep();
    else if (page == 15)
        powerStep();
    else if (page >= 16 && page <= 19)
        perimeterStep();
    else if (page >= 21 && page <= 36)
        inputStep(page - 20);
}

int TMainPanelControl::transact(int kind, QByteArray& buffer, QString& text) {
    TReadData t(static_cast<TransactionKind>(kind), reinterpret_cast<std::uint8_t*>(buffer.data()),
                static_cast<int>(buffer.size()), portName_);
    if (factory_)
        t.setChannelFactory(factory_);
    const int rc = RunAndWait(t);
    text = t.lastText();
    return rc;
}

void TMainPanelControl::rootStep() {
    QByteArray buffer(kStatusBlockSize, '\0');
    QString text;
    if (transact(static_cast<int>(TransactionKind::ReadStatus), buffer, text) == 0) {
        post([block = StatusBlock::fromBytes(buffer), texts = gsmTexts](MonitorView& v) {
            v.showRootStatus(block, texts);
        });
        return;
    }
    post([text](MonitorView& v) {
        v.setStatusPanel(3, text);
        v.showRootStatusFailed();
    });
}

void TMainPanelControl::clockStep() {
    post([](MonitorView& v) { v.showPcTime(); });
    if (ask<bool>([](MonitorView& v) { return v.editingControllerTime(); }))
        return;
    QByteArray buffer(kStatusBlockSize, '\0');
    QString text;
    if (transact(static_cast<int>(TransactionKind::ReadStatus), buffer, text) == 0) {
        post([clock = StatusBlock::fromBytes(buffer).clock()](MonitorView& v) {
            v.showControllerTime(clock);
        });
        return;
    }
    post([text](MonitorView& v) { v.setStatusPanel(3, text); });
}

void TMainPanelControl::powerStep() {
    QByteArray buffer(kStatusBlockSize, '\0');
    QString text;
    if (transact(static_cast<int>(TransactionKind::ReadStatus), buffer, text) == 0) {
        post([block = StatusBlock::fromBytes(buffer)](MonitorView& v) { v.showPower(block); });
        return;
    }
    post([text](MonitorView& v) {
        v.showPowerFailed();
        v.setStatusPanel(3, text);
    });
}

void TMainPanelControl::perimeterStep() {
    QByteArray password = ask<QByteArray>([](MonitorView& v) { return v.passwordPayload(); });
    password.resize(9, '\0');
    password[8] = '\0';
    QString text;
    const int login = transact(static_cast<int>(TransactionKind::Password), password, text);
    post([](MonitorView& v) { v.resetKeyIndicator(); });
    if (login != 0) {
        post([](MonitorView& v) { v.showKeyPasswordRefused(); });
        return;
    }
    QByteArray buffer(kKeyCodeBlockSize, '\0');
    if (transact(static_cast<int>(TransactionKind::ReadKeyCode), buffer, text) != 0) {
        post([text](MonitorView& v) { v.setStatusPanel(3, text); });
        return;
    }
    const KeyCodeBlock key = KeyCodeBlock::fromBytes(buffer);
    if (key.keyPresent())
        post([code = key.code()](MonitorView& v) { v.showCapturedKey(code); });
    else
        post([](MonitorView& v) { v.resetKeyIndicator(); });
}

void TMainPanelControl::inputStep(int input) {
    QByteArray buffer(kStatusBlockSize, '\0');
    QString text;
    const bool ok = transact(static_cast<int>(TransactionKind::ReadStatus), buffer, text) == 0;
    const StatusBlock block = StatusBlock::fromBytes(buffer);
    if (ok && block.inputValuesValid()) {
        post([input, value = block.inputValue(input)](MonitorView& v) {
            v.showInputReading(input, value, true);
        });
        return;
    }
    post([input, ok, text](MonitorView& v) {
        v.showInputReading(input, 0, false);
        if (!ok)
            v.setStatusPanel(3, text);
    });
}

void StopMonitorThread(TMainPanelControl& thread) {
    thread.requestInterruption();
    if (!thread.isFinished() && thread.isRunning()) {
        QEventLoop loop;
        QObject::connect(&thread, &QThread::finished, &loop, &QEventLoop::quit,
                         Qt::QueuedConnection);
        // Also looks now and then, in case `finished` was emitted just before
        // the connection was made.
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, &loop, [&] {
            if (thread.isFinished())
                loop.quit();
        });
        look.start(20);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        // While the application quits, local loops return at once: serve the
        // thread's questions by hand until it has ended.
        while (!thread.isFinished()) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
            thread.wait(QDeadlineTimer(10));
        }
    }
    thread.wait();
    // Updates the thread handed over before it ended are shown before anything
    // else uses the display.
    thread.inbox_.drain();
}
