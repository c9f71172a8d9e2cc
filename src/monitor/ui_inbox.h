#pragma once
// Calls handed from a worker thread to the thread that owns the inbox (the UI
// thread), run there in the order they were handed over. The calls wait in a
// queue under a mutex; a queued wake-up that carries nothing makes the owner
// run them. Every hand-over is thus ordered by the mutex, which keeps it
// visible to thread checkers as well.
#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

class UiInbox : public QObject {
    Q_OBJECT
public:
    using Call = std::function<void()>;

    // The inbox belongs to the thread that creates it.
    explicit UiInbox(QObject* parent = nullptr) : QObject(parent) {}

    // From any thread: `call` runs later on the owner's thread.
    void post(Call call);
    // From a worker thread: runs `call` on the owner's thread and returns once
    // it has run. The owner must keep serving events meanwhile.
    void invokeAndWait(const Call& call);

public slots:
    // On the owner's thread: runs every call handed over so far.
    void drain();

private:
    std::mutex mutex_;
    std::condition_variable ran_;
    std::deque<Call> calls_;
};
