#include "model/frame_receiver.h"

#include "link/frame.h"

namespace {
constexpr int kMaxLine = 64;
const QByteArray kModeWord = QByteArrayLiteral("BINARY");
} // namespace

void FrameReceiver::reset() {
    frame_.clear();
    line_.clear();
}

std::vector<ReceivedItem> FrameReceiver::flushLine() {
    std::vector<ReceivedItem> out;
    if (!line_.isEmpty())
        out.push_back({ReceivedItem::Type::Junk, line_, {}});
    line_.clear();
    return out;
}

std::vector<ReceivedItem> FrameReceiver::feed(std::uint8_t byte, qint64 nowMs) {
    std::vector<ReceivedItem> out;
    if (!frame_.isEmpty() && nowMs - lastByteMs_ > kFrameGapMs) {
        out.push_back({ReceivedItem::Type::BadFrame, frame_, QStringLiteral("cut off")});
        frame_.clear();
    }
    lastByteMs_ = nowMs;

    if (frame_.isEmpty()) {
        if (byte == frame::kStart) {
            for (auto& item : flushLine())
                out.push_back(std::move(item));
            frame_.append(static_cast<char>(byte));
            return out;
        }
        if (byte == '\r') {
            if (line_.endsWith(kModeWord)) {
                line_.chop(kModeWord.size());
                for (auto& item : flushLine())
                    out.push_back(std::move(item));
                out.push_back({ReceivedItem::Type::ModeSwitch, kModeWord + '\r', {}});
                return out;
            }
            line_.append('\r');
            for (auto& item : flushLine())
                out.push_back(std::move(item));
            return out;
        }
        line_.append(static_cast<char>(byte));
        if (line_.size() >= kMaxLine) {
            // Keep the tail: it may be the start of the mode-switch word.
            const QByteArray tail = line_.right(kModeWord.size() - 1);
            line_.chop(tail.size());
            for (auto& item : flushLine())
                out.push_back(std::move(item));
            line_ = tail;
        }
        return out;
    }

    frame_.append(static_cast<char>(byte));
    if (frame_.size() < frame::kHeaderSize)
        return out;
    const int length = frame::u16At(frame_, 2);
    if (length > kMaxPayload) {
        out.push_back({ReceivedItem::Type::BadFrame, frame_, QStringLiteral("length too large")});
        frame_.clear();
        return out;
    }
    if (frame_.size() < length + frame::kOverhead)
        return out;
    if (frame::checksumMatches(frame_))
        out.push_back({ReceivedItem::Type::Frame, frame_, {}});
    else
        out.push_back({ReceivedItem::Type::BadFrame, frame_, QStringLiteral("wrong check byte")});
    frame_.clear();
    return out;
}
