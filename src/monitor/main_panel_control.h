#pragma once
// TMainPanelControl: the live-status polling thread. Every cycle it pauses
// 100 ms, identifies the controller and, depending on the page the user is
// looking at, reads the status block, the key code or nothing more. What it
// finds it hands to a MonitorView on the UI thread, queued and in order; it
// never touches a widget. What it needs of the window (editing flag, password)
// it asks the view for on the UI thread.
//
// Stopping: requestInterruption(), then wait for `finished` without blocking
// the UI thread's event loop (StopMonitorThread does both): the thread may be
// waiting for the UI thread to answer a question.
#include "link/serial_channel.h"
#include "monitor/monitor_view.h"
#include "monitor/ui_inbox.h"

#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>

class TMainPanelControl : public QThread {
    Q_OBJECT
public:
    // Create it on the UI thread, where `view` lives; `currentPage` returns the
    // PageIndex on screen (safe from any thread).
    TMainPanelControl(const QString& portName, MonitorView& view, std::function<int()> currentPage,
                      QObject* parent = nullptr);
    ~TMainPanelControl() override;

    // The GSM state texts in use (the window's table); before start.
    void setGsmTexts(const QStringList& texts) { gsmTexts = texts; }
    // The status texts of the identification transaction; empty = built-in.
    void setMessages(const QStringList& messages) { messages_ = messages; }
    // The channel of every transaction; empty = the default. Before start.
    void setChannelFactory(SerialChannelFactory factory) { factory_ = std::move(factory); }

    // True after a successful identification, false after a failed one and
    // before the first.
    bool isIdentified() const { return identified.load(); }
    // Cycles completed so far.
    int cycles() const { return cycles_.load(); }

    static constexpr int kPauseMs = 100;

protected:
    void run() override;

private:
    void cycle();
    void pageStep();
    void rootStep();
    void clockStep();
    void powerStep();
    void perimeterStep();
    void inputStep(int input);
    // Runs one transaction of kind 3..11 with the built-in texts; returns 0 on
    // success. `text` receives what its status label would show last.
    int transact(int kind, QByteArray& buffer, QString& text);
    bool pause();

    template <typename F> void post(F f);
    template <typename R, typename F> R ask(F f);

    // The fields of the thread.
    int page = -1;
    std::atomic<bool> identified{false};
    QStringList gsmTexts;
    const QStringList ownGsmTexts;

    const QString portName_;
    MonitorView& view_;
    UiInbox inbox_; // on the UI thread
    std::function<int()> currentPage_;
    QStringList messages_;
    SerialChannelFactory factory_;
    std::atomic<int> cycles_{0};

    friend void StopMonitorThread(TMainPanelControl& thread);
};

// Asks `thread` to end and waits for its `finished` in a local event loop
// that serves everything but user input, so the thread's queued updates and
// questions reach the UI thread meanwhile. Returns when the thread has ended
// and its updates have been delivered.
void StopMonitorThread(TMainPanelControl& thread);
