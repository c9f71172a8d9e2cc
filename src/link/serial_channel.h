#pragma once
// The serial line as a transaction sees it, and the factory a transaction uses
// to make one. The default factory makes a QSerialPort channel (19200 baud,
// 8N1, no flow control); tests substitute a channel wired to the simulator.
//
// A channel is created, used and destroyed on the transaction's own thread.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class SerialChannel {
public:
    virtual ~SerialChannel() = default;

    // Opens the named port (Qt's name: COM3, ttyUSB0 or a full path such as
    // /dev/pts/7) and raises DTR and RTS. False when it cannot be opened.
    virtual bool open(const QString& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Drops what is waiting in the input and output buffers. False on a port failure.
    virtual bool purge() = 0;
    // Sends all bytes within 200 + 4·N ms. False on a port failure or when the
    // bytes could not be sent in time.
    virtual bool write(const QByteArray& bytes) = 0;
    // Reads up to n bytes into `out`: returns as soon as n bytes arrived, or
    // with what arrived after 100 + 3·n ms in total, or earlier once 500 ms pass
    // after a byte without another. The total counts from when the line has
    // carried the bytes written before (a write completes when its bytes have
    // gone out, even where the system buffers them). A time-out is no failure
    // (out may hold fewer bytes, or none); false means the port failed.
    virtual bool read(int n, QByteArray& out) = 0;
};

using SerialChannelFactory = std::function<std::unique_ptr<SerialChannel>()>;

// Time limits of the line, in milliseconds.
namespace serial_timing {
constexpr int readTotalMs(int n) {
    return 100 + 3 * n;
}
constexpr int kReadIntervalMs = 500;
constexpr int writeTotalMs(int n) {
    return 200 + 4 * n;
}
constexpr int kBaudRate = 19200;
// Time the line needs for n bytes of ten bits each, in milliseconds, rounded up.
constexpr int wireMs(int n) {
    return (n * 10 * 1000 + kBaudRate - 1) / kBaudRate;
}
} // namespace serial_timing

// The factory transactions use when none is given: QSerialPort unless a test
// or tool installed another. Set it before transactions are created.
SerialChannelFactory DefaultSerialChannelFactory();
void SetDefaultSerialChannelFactory(SerialChannelFactory factory);
// Back to QSerialPort.
void ResetDefaultSerialChannelFactory();
