#include "link/qt_serial_channel.h"

#include <QDeadlineTimer>
#include <QSerialPort>

QtSerialChannel::QtSerialChannel() : port_(std::make_unique<QSerialPort>()) {}

QtSerialChannel::~QtSerialChannel() {
    close();
}

bool QtSerialChannel::open(const QString& name) {
    port_->setPortName(name);
    port_->setBaudRate(serial_timing::kBaudRate);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    if (!port_->open(QIODevice::ReadWrite))
        return false;
    // Lines a pseudo-terminal does not have: failing to raise them is harmless,
    // and the error must not count against the exchanges that follow.
    port_->setDataTerminalReady(true);
    port_->setRequestToSend(true);
    port_->clearError();
    return port_->isOpen();
}

void QtSerialChannel::close() {
    if (port_->isOpen())
        port_->close();
}

bool QtSerialChannel::isOpen() const {
    return port_->isOpen();
}

// Qt 6.4 reports a vanished device as a read error with a stale message; a
// resource or unsupported-operation error means the same to us.
bool QtSerialChannel::portFailed() const {
    switch (port_->error()) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
        return false;
    default:
        return true;
    }
}

bool QtSerialChannel::purge() {
    if (!port_->isOpen())
        return false;
    port_->clearError();
    port_->clear(QSerialPort::AllDirections);
    lineFree_ = QDeadlineTimer(); // nothing left to send
    return !portFailed();
}

bool QtSerialChannel::write(const QByteArray& bytes) {
    if (!port_->isOpen())
        return false;
    port_->clearError();
    const QDeadlineTimer deadline(serial_timing::writeTotalMs(bytes.size()), Qt::PreciseTimer);
    const qint64 queued = lineFree_.hasExpired() ? 0 : lineFree_.remainingTime();
    lineFree_.setRemainingTime(queued + serial_timing::wireMs(static_cast<int>(bytes.size())),
                               Qt::PreciseTimer);
    if (port_->write(bytes) != bytes.size() || portFailed())
        return false;
    while (port_->bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return false;
        port_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        if (portFailed())
            return false;
    }
    return true;
}

bool QtSerialChannel::read(int n, QByteArray& out) {
    out.clear();
    if (!port_->isOpen())
        return false;
    port_->clearError();
    const qint64 sending = lineFree_.hasExpired() ? 0 : lineFree_.remainingTime();
    const QDeadlineTimer total(sending + serial_timing::readTotalMs(n), Qt::PreciseTimer);
    QDeadlineTimer gap(Qt::PreciseTimer); // armed by every byte that arrives
    while (out.size() < n) {
        if (port_->bytesAvailable() > 0) {
            out.append(port_->read(n - out.size()));
            if (portFailed())
                return false;
            gap.setRemainingTime(serial_timing::kReadIntervalMs, Qt::PreciseTimer);
            continue;
        }
        qint64 wait = total.remainingTime();
        if (!out.isEmpty())
            wait = std::min(wait, gap.remainingTime());
        if (wait <= 0)
            break;
        if (!port_->waitForReadyRead(static_cast<int>(wait)) && portFailed())
            return false;
    }
    return true;
}
