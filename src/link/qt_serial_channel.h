#pragma once
// SerialChannel over QSerialPort: 19200 baud, 8 data bits, no parity, one stop
// bit, no flow control; DTR and RTS raised after opening. Qt's own wait calls
// return after the first chunk, so reads loop with their own deadlines. Writes
// return once the system took the bytes, which may be long before they are on
// the line; a read's time limit therefore starts when the line is free again.
#include "link/serial_channel.h"

#include <QDeadlineTimer>
#include <memory>

class QSerialPort;

class QtSerialChannel final : public SerialChannel {
public:
    QtSerialChannel();
    ~QtSerialChannel() override;

    bool open(const QString& name) override;
    void close() override;
    bool isOpen() const override;
    bool purge() override;
    bool write(const QByteArray& bytes) override;
    bool read(int n, QByteArray& out) override;

private:
    bool portFailed() const;

    std::unique_ptr<QSerialPort> port_;
    QDeadlineTimer lineFree_; // when the bytes written so far have left
};
