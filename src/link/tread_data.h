#pragma once
// TReadData: one exchange with the controller on its own thread. It opens the
// port through a SerialChannel (made on this thread by the channel factory),
// switches the controller into frame mode, performs the exchange of its
// TransactionKind, reports status texts and block progress as signals, closes
// the port and ends with result 0 (success) or 1 (failure).
//
// Use: construct, optionally setMessages(), then RunAndWait() (run_transaction.h),
// which starts it and waits in a local event loop so the queued status signals
// reach the caller's thread while it runs. Connect statusChanged/progressChanged
// to the caller's label and progress bar (they are emitted on the transaction's
// thread; with receivers on the UI thread they arrive queued, in order).
//
// The caller's buffer must stay valid and untouched until the end. It is read
// when the run begins and written only at the end, and only on success: a failed
// read leaves it exactly as it was; CompareArea never writes it.
#include "link/serial_channel.h"
#include "link/transaction_kind.h"
#include "link/transaction_messages.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <cstdint>

class TReadData : public QThread {
    Q_OBJECT
public:
    // Block transfers (kinds 0, 1, 2): `size` bytes from address `start` of `area`.
    TReadData(TransactionKind kind, FlashArea area, std::uint8_t* buffer, int size,
              std::uint32_t start, const QString& portName, QObject* parent = nullptr);
    // Kinds 3..11: area 0, start 0. For request kinds the reply carries `size`
    // data bytes; for command kinds `size` is the payload length (at most 295).
    TReadData(TransactionKind kind, std::uint8_t* buffer, int size, const QString& portName,
              QObject* parent = nullptr);
    // Releasing a running transaction waits for its end first.
    ~TReadData() override;

    // Replaces the status texts (the twenty TransactionMessages; missing entries
    // keep their default). Call before starting.
    void setMessages(const QStringList& messages);
    // The channel to use; by default DefaultSerialChannelFactory(). Call before starting.
    void setChannelFactory(SerialChannelFactory factory);

    TransactionKind kind() const { return kind_; }
    const QString& portName() const { return portName_; }
    // 1 from construction; 0 only after a successful run.
    int result() const;
    // The latest status text and its colour (what a status label would show).
    QString lastText() const;
    StatusColour lastColour() const;

signals:
    void statusChanged(const QString& text, StatusColour colour);
    void progressChanged(int position, int maximum);

protected:
    void run() override;

private:
    friend class TransactionRun;
    void show(const QString& text, StatusColour colour);
    void showText(int index, StatusColour colour);
    QString message(int index) const;

    const TransactionKind kind_;
    const FlashArea area_;
    std::uint8_t* const buffer_;
    const int size_;
    const std::uint32_t start_;
    const QString portName_;
    QStringList messages_;
    SerialChannelFactory factory_;

    mutable QMutex stateMutex_;
    int result_ = 1;
    QString lastText_;
    StatusColour lastColour_ = StatusColour::Progress;
};
