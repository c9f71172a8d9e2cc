#pragma once
// Splits the byte stream a controller receives into what it means: the
// mode-switch line, well-formed frames, frames that fail (bad check byte,
// impossible length, cut off) and stray bytes.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

struct ReceivedItem {
    enum class Type { ModeSwitch, Frame, BadFrame, Junk };
    Type type;
    QByteArray bytes;
    QString note; // why a frame was bad
};

class FrameReceiver {
public:
    // A frame whose bytes stop for longer than this is dropped as cut off.
    static constexpr qint64 kFrameGapMs = 100;
    // Longest payload a controller accepts (a 256-byte block write and its header).
    static constexpr int kMaxPayload = 295;

    // Feeds one byte received at `nowMs`; returns what it completed (usually nothing).
    std::vector<ReceivedItem> feed(std::uint8_t byte, qint64 nowMs);
    // Forgets a partial frame or line (after a restart).
    void reset();

private:
    std::vector<ReceivedItem> flushLine();

    QByteArray frame_; // a frame in progress, from its start byte
    QByteArray line_;  // bytes outside frames, up to a carriage return
    qint64 lastByteMs_ = 0;
};
