#include "link/tread_data.h"

#include "link/frame.h"

#include <QMutexLocker>
#include <algorithm>
#include <cstring>

namespace {
constexpr int kAttempts = 3;
constexpr int kFrameDataLimit = frame::kMaxCommandPayload;
} // namespace

// One run of a transaction: the exchange routines over an open channel. Every
// routine shows its own error text; false means the transaction failed.
class TransactionRun {
public:
    TransactionRun(TReadData& t, SerialChannel& channel) : t_(t), ch_(channel) {}

    bool modeSwitch() {
        if (!ch_.purge() || !ch_.write(frame::modeSwitchLine()))
            return portError();
        return true;
    }

    bool requestReply(std::uint8_t command, QByteArray& data, int n);
    bool sendCommand(std::uint8_t command, const QByteArray& payload);
    bool writeArea(FlashArea area, std::uint32_t start, const QByteArray& data);
    bool readArea(FlashArea area, std::uint32_t start, QByteArray& dest);

private:
    bool portError() {
        t_.show(t_.message(TransactionText::PortError) + t_.portName_, StatusColour::Error);
        return false;
    }
    bool fail(int text) {
        t_.showText(text, StatusColour::Error);
        return false;
    }
    // The controller's answer to the mode switch: read and dropped, whatever it is.
    bool discardModeAnswer() {
        QByteArray dropped;
        return ch_.read(1, dropped) || portError();
    }
    // Up to three attempts of purge, write, read `expected` bytes; stops at a
    // complete reply. False only on a port failure.
    bool attempts(const QByteArray& request, int expected, QByteArray& reply) {
        for (int i = 0; i < kAttempts; ++i) {
            if (!ch_.purge() || !ch_.write(request) || !ch_.read(expected, reply))
                return portError();
            if (reply.size() == expected)
                break;
        }
        return true;
    }
    void progress(int position, int maximum) { emit t_.progressChanged(position, maximum); }

    TReadData& t_;
    SerialChannel& ch_;
};

bool TransactionRun::requestReply(std::uint8_t command, QByteArray& data, int n) {
    if (!discardModeAnswer())
        return false;
    const QByteArray request = frame::build(command, {});
    QByteArray reply;
    if (!attempts(request, n + frame::kOverhead, reply))
        return false;
    if (reply.isEmpty())
        return fail(TransactionText::NoReply);
    if (reply.size() != n + frame::kOverhead)
        return fail(TransactionText::NoCorrectReply);
    if (!frame::checksumMatches(reply))
        return fail(TransactionText::TransferCode2);
    if (static_cast<std::uint8_t>(reply[0]) != frame::kStart ||
        static_cast<std::uint8_t>(reply[1]) != command)
        return fail(TransactionText::TransferCode3);
    data = reply.mid(frame::kHeaderSize, n);
    return true;
}

bool TransactionRun::sendCommand(std::uint8_t command, const QByteArray& payload) {
    if (!discardModeAnswer())
        return false;
    const QByteArray request = frame::build(command, payload);
    QByteArray reply;
    if (!attempts(request, frame::kAckSize, reply))
        return false;
    if (reply.isEmpty())
        return fail(TransactionText::NoReply);
    if (reply.size() != frame::kAckSize)
        return fail(TransactionText::NoCorrectReply);
    if (!frame::checksumMatches(reply))
        return fail(TransactionText::TransferCode2);
    const auto status = static_cast<std::uint8_t>(reply[4]);
    const bool headerOk = static_cast<std::uint8_t>(reply[0]) == frame::kStart &&
                          static_cast<std::uint8_t>(reply[1]) == command;
    if (headerOk && status == 0)
        return true;
    if (status == 1)
        return fail(TransactionText::FlashError);
    if (status == 2)
        return fail(TransactionText::PasswordRequired);
    return fail(TransactionText::TransferCode3);
}

namespace {
// Bytes 0, 1, address and count of a block reply equal those of the request.
bool blockHeaderMatches(const QByteArray& reply, std::uint8_t command, std::uint32_t address,
                        int count) {
    return static_cast<std::uint8_t>(reply[0]) == frame::kStart &&
           static_cast<std::uint8_t>(reply[1]) == command && frame::u32At(reply, 4) == address &&
           frame::u16At(reply, 8) == count;
}
} // namespace

bool TransactionRun::writeArea(FlashArea area, std::uint32_t start, const QByteArray& data) {
    const int size = static_cast<int>(data.size());
    progress(0, size);
    if (!discardModeAnswer())
        return false;
    const auto command = flashWriteCommand(area);
    if (!command) {
        t_.show(FlashAreaIdErrorText(), StatusColour::Error);
        return false;
    }
    for (int done = 0; done < size;) {
        const int k = std::min(size - done, frame::kMaxBlock);
        const std::uint32_t address = start + static_cast<std::uint32_t>(done);
        const QByteArray request = frame::blockWriteRequest(*command, address, data.mid(done, k));
        QByteArray reply;
        if (!attempts(request, frame::kBlockRequestSize, reply))
            return false;
        if (reply.isEmpty())
            return fail(TransactionText::NoReply);
        if (reply.size() != frame::kBlockRequestSize)
            return fail(TransactionText::NoCorrectReply);
        if (!frame::checksumMatches(reply))
            return fail(TransactionText::TransferCode2);
        const auto status = static_cast<std::uint8_t>(reply[10]);
        if (!blockHeaderMatches(reply, *command, address, k) || status != 0)
            return fail(status == 1 ? TransactionText::FlashError : TransactionText::TransferCode3);
        done += k;
        progress(done, size);
    }
    return true;
}

bool TransactionRun::readArea(FlashArea area, std::uint32_t start, QByteArray& dest) {
    const int size = static_cast<int>(dest.size());
    progress(0, size);
    if (!discardModeAnswer())
        return false;
    const auto command = flashReadCommand(area);
    if (!command) {
        t_.show(FlashAreaIdErrorText(), StatusColour::Error);
        return false;
    }
    for (int done = 0; done < size;) {
        const int k = std::min(size - done, frame::kMaxBlock);
        const std::uint32_t address = start + static_cast<std::uint32_t>(done);
        const QByteArray request =
            frame::blockReadRequest(*command, address, static_cast<std::uint16_t>(k));
        QByteArray reply;
        if (!attempts(request, k + frame::kBlockOverhead, reply))
            return false;
        if (reply.size() != k + frame::kBlockOverhead)
            return fail(TransactionText::TransferCode1);
        if (!frame::checksumMatches(reply))
            return fail(TransactionText::TransferCode2);
        if (!blockHeaderMatches(reply, *command, address, k))
            return fail(TransactionText::TransferCode3);
        std::memcpy(dest.data() + done, reply.constData() + 10, static_cast<std::size_t>(k));
        done += k;
        progress(done, size);
    }
    return true;
}

TReadData::TReadData(TransactionKind kind, FlashArea area, std::uint8_t* buffer, int size,
                     std::uint32_t start, const QString& portName, QObject* parent)
    : QThread(parent), kind_(kind), area_(area), buffer_(buffer), size_(size), start_(start),
      portName_(portName), messages_(DefaultTransactionMessages()),
      factory_(DefaultSerialChannelFactory()) {}

TReadData::TReadData(TransactionKind kind, std::uint8_t* buffer, int size, const QString& portName,
                     QObject* parent)
    : TReadData(kind, FlashArea::Invalid, buffer, size, 0, portName, parent) {}

TReadData::~TReadData() {
    wait();
}

void TReadData::setMessages(const QStringList& messages) {
    QStringList table = DefaultTransactionMessages();
    for (int i = 0; i < table.size() && i < messages.size(); ++i)
        table[i] = messages[i];
    messages_ = table;
}

void TReadData::setChannelFactory(SerialChannelFactory factory) {
    factory_ = factory ? std::move(factory) : DefaultSerialChannelFactory();
}

int TReadData::result() const {
    QMutexLocker lock(&stateMutex_);
    return result_;
}

QString TReadData::lastText() const {
    QMutexLocker lock(&stateMutex_);
    return lastText_;
}

StatusColour TReadData::lastColour() const {
    QMutexLocker lock(&stateMutex_);
    return lastColour_;
}

QString TReadData::message(int index) const {
    return messages_.value(index);
}

void TReadData::show(const QString& text, StatusColour colour) {
    {
        QMutexLocker lock(&stateMutex_);
        lastText_ = text;
        lastColour_ = colour;
    }
    emit statusChanged(text, colour);
}

void TReadData::showText(int index, StatusColour colour) {
    show(message(index), colour);
}

void TReadData::run() {
    {
        QMutexLocker lock(&stateMutex_);
        result_ = 1;
    }
    const TransactionKindInfo& info = kindInfo(kind_);
    const bool block = isBlockTransfer(kind_);
    // A size the frames cannot carry, or no buffer behind it, is refused before
    // anything is sent: the frame buffer of a command holds at most 295 bytes.
    const bool sizeOk =
        size_ >= 0 && (size_ == 0 || buffer_ != nullptr) && (block || size_ <= kFrameDataLimit);
    if (!sizeOk) {
        showText(TransactionText::TransferCode3, StatusColour::Error);
        return;
    }
    // The caller's bytes as they are when the run begins.
    const QByteArray callerBytes(reinterpret_cast<const char*>(buffer_), size_);

    std::unique_ptr<SerialChannel> channel = factory_ ? factory_() : nullptr;
    if (!channel || !channel->open(portName_) || !channel->isOpen()) {
        show(message(TransactionText::CannotOpen) + portName_, StatusColour::Error);
        return;
    }
    TransactionRun run(*this, *channel);
    if (block) {
        showText(TransactionText::Identifying, StatusColour::Progress);
        showText(kind_ == TransactionKind::WriteVerify ? TransactionText::Writing
                                                       : TransactionText::Reading,
                 StatusColour::Progress);
    }
    bool ok = run.modeSwitch();
    if (ok && !block)
        showText(TransactionText::Identifying, StatusColour::Progress);

    QByteArray received;
    if (ok) {
        switch (info.exchange) {
        case Exchange::ReadArea: {
            QByteArray scratch(size_, '\0');
            ok = run.readArea(area_, start_, scratch);
            if (ok && kind_ == TransactionKind::CompareArea && scratch != callerBytes) {
                showText(TransactionText::DataDiffer, StatusColour::Error);
                ok = false;
            } else if (ok && kind_ == TransactionKind::ReadArea) {
                received = scratch;
            }
            break;
        }
        case Exchange::WriteArea: {
            ok = run.writeArea(area_, start_, callerBytes);
            if (ok) {
                showText(TransactionText::Reading, StatusColour::Progress);
                QByteArray scratch(size_, '\0');
                ok = run.readArea(area_, start_, scratch);
                if (ok && scratch != callerBytes) {
                    showText(TransactionText::Mismatch, StatusColour::Error);
                    ok = false;
                }
            }
            break;
        }
        case Exchange::RequestReply:
            ok = run.requestReply(info.command, received, size_);
            break;
        case Exchange::SendCommand:
            ok = run.sendCommand(info.command, callerBytes);
            break;
        }
    }
    if (ok) {
        if (!received.isEmpty())
            std::memcpy(buffer_, received.constData(), static_cast<std::size_t>(received.size()));
        showText(info.successText, StatusColour::Success);
        QMutexLocker lock(&stateMutex_);
        result_ = 0;
    }
    channel->close();
}
