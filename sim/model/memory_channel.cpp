#include "model/memory_channel.h"

SerialChannelFactory MemoryLink::factory() {
    return [this] { return std::make_unique<MemoryChannel>(*this); };
}

void MemoryLink::setOpenFails(bool fails) {
    std::lock_guard lock(mutex_);
    openFails_ = fails;
}

void MemoryLink::setOnlyPort(const QString& portName) {
    std::lock_guard lock(mutex_);
    onlyPort_ = portName;
}

void MemoryLink::setPurgeFailsAt(int n) {
    std::lock_guard lock(mutex_);
    purgeFailAt_ = n;
}

void MemoryLink::setWriteFailsAt(int n) {
    std::lock_guard lock(mutex_);
    writeFailAt_ = n;
}

void MemoryLink::setReadFailsAt(int n) {
    std::lock_guard lock(mutex_);
    readFailAt_ = n;
}

std::vector<QByteArray> MemoryLink::writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

QByteArray MemoryLink::written() const {
    std::lock_guard lock(mutex_);
    QByteArray all;
    for (const QByteArray& w : writes_)
        all.append(w);
    return all;
}

int MemoryLink::opens() const {
    std::lock_guard lock(mutex_);
    return opens_;
}

int MemoryLink::reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

bool MemoryChannel::open(const QString& name) {
    std::lock_guard lock(link_.mutex_);
    ++link_.opens_;
    open_ = !link_.openFails_ && (link_.onlyPort_.isEmpty() || link_.onlyPort_ == name);
    return open_;
}

bool MemoryChannel::purge() {
    std::lock_guard lock(link_.mutex_);
    if (!open_ || ++link_.purges_ == link_.purgeFailAt_)
        return false;
    incoming_.clear();
    return true;
}

bool MemoryChannel::write(const QByteArray& bytes) {
    {
        std::lock_guard lock(link_.mutex_);
        if (!open_ || ++link_.writeCount_ == link_.writeFailAt_)
            return false;
        link_.writes_.push_back(bytes);
    }
    incoming_.append(link_.device_.receive(bytes));
    return true;
}

bool MemoryChannel::read(int n, QByteArray& out) {
    std::lock_guard lock(link_.mutex_);
    if (!open_ || ++link_.reads_ == link_.readFailAt_)
        return false;
    out = incoming_.left(n);
    incoming_.remove(0, out.size());
    return true;
}
