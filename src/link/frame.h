#pragma once
// The controller's wire format: the mode-switch line, framed requests and
// replies with their check byte, and little-endian field helpers. Used by the
// transaction thread and by the controller simulator, which answers the same
// frames.
//
// A frame is: 0x05, command, payload length L (16 bits), L payload bytes, check
// byte over command, length and payload. A frame is L+5 bytes long.
#include <QByteArray>
#include <cstdint>
#include <optional>

namespace frame {

constexpr std::uint8_t kStart = 0x05;
constexpr int kHeaderSize = 4;          // start, command, 16-bit length
constexpr int kOverhead = 5;            // header plus check byte
constexpr int kMaxBlock = 256;          // data bytes of one block transfer
constexpr int kBlockRequestSize = 13;   // block read request, block write acknowledgement
constexpr int kBlockOverhead = 11;      // block frame size minus its data bytes
constexpr int kAckSize = 6;             // acknowledgement of a plain command
constexpr int kMaxCommandPayload = 295; // request and reply fit in 300 bytes

// "BINARY" and a carriage return: switches the controller into frame mode.
QByteArray modeSwitchLine();

} // namespace frame

// Two's complement of the XOR of all bytes: "abc" gives 0xA0, a single 0 gives 0.
std::uint8_t FrameChecksum(const std::uint8_t* bytes, std::size_t count);
std::uint8_t FrameChecksum(const QByteArray& bytes);

namespace frame {

void appendU16(QByteArray& out, std::uint16_t v);
void appendU32(QByteArray& out, std::uint32_t v);
std::uint16_t u16At(const QByteArray& bytes, int offset);
std::uint32_t u32At(const QByteArray& bytes, int offset);

// A complete frame around `payload`, check byte included.
QByteArray build(std::uint8_t command, const QByteArray& payload);
// True when the last byte is the check byte over bytes 1..size-2.
bool checksumMatches(const QByteArray& frame);

// Block transfer frames: payload = address (32 bits), count (16 bits), then the
// data (write) or two zero bytes (read request).
QByteArray blockWriteRequest(std::uint8_t command, std::uint32_t address, const QByteArray& data);
QByteArray blockReadRequest(std::uint8_t command, std::uint32_t address, std::uint16_t count);

// A frame split into its fields; nullopt when the bytes are not one well-formed
// frame (too short, wrong start byte, length disagreeing with the size, or a
// wrong check byte).
struct Parsed {
    std::uint8_t command = 0;
    QByteArray payload;
};
std::optional<Parsed> parse(const QByteArray& frame);

} // namespace frame
