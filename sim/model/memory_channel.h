#pragma once
// A serial line without a port: the transaction's bytes go straight into a
// SimDevice and its answers come straight back, so unit tests run fast. Reads
// return at once with what the device has sent (a silent device gives 0 bytes
// without waiting). Port failures can be injected at a chosen call, and
// everything written is kept for inspection.
#include "link/serial_channel.h"
#include "model/sim_device.h"

#include <QByteArray>
#include <QString>
#include <mutex>
#include <vector>

class MemoryLink {
public:
    explicit MemoryLink(SimDevice& device) : device_(device) {}

    // A factory for TReadData::setChannelFactory or SetDefaultSerialChannelFactory.
    // The link must outlive every channel it makes.
    SerialChannelFactory factory();

    // Port failures: opening fails (for every name, or for names not equal to
    // `portName` when set); the n-th call (counted from 1 over the link's life)
    // of purge, write or read fails; 0 = never.
    void setOpenFails(bool fails);
    void setOnlyPort(const QString& portName);
    void setPurgeFailsAt(int n);
    void setWriteFailsAt(int n);
    void setReadFailsAt(int n);

    // Every write, in order; all of them joined.
    std::vector<QByteArray> writes() const;
    QByteArray written() const;
    int opens() const;
    int reads() const;
    SimDevice& device() { return device_; }

private:
    friend class MemoryChannel;
    SimDevice& device_;
    mutable std::mutex mutex_;
    bool openFails_ = false;
    QString onlyPort_;
    int purgeFailAt_ = 0, writeFailAt_ = 0, readFailAt_ = 0;
    int purges_ = 0, writeCount_ = 0, reads_ = 0, opens_ = 0;
    std::vector<QByteArray> writes_;
};

class MemoryChannel final : public SerialChannel {
public:
    explicit MemoryChannel(MemoryLink& link) : link_(link) {}

    bool open(const QString& name) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    bool purge() override;
    bool write(const QByteArray& bytes) override;
    bool read(int n, QByteArray& out) override;

private:
    MemoryLink& link_;
    bool open_ = false;
    QByteArray incoming_;
};
