#include "monitor/ui_inbox.h"

void UiInbox::post(Call call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void UiInbox::invokeAndWait(const Call& call) {
    bool done = false;
    post([this, &call, &done] {
        call();
        std::lock_guard lock(mutex_);
        done = true;
        ran_.notify_all();
    });
    std::unique_lock lock(mutex_);
    ran_.wait(lock, [&done] { return done; });
}

void UiInbox::drain() {
    for (;;) {
        Call call;
        {
            std::lock_guard lock(mutex_);
            if (calls_.empty())
                return;
            call = std::move(calls_.front());
            calls_.pop_front();
        }
        call();
    }
}
