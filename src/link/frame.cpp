#include "link/frame.h"

std::uint8_t FrameChecksum(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < count; ++i)
        x ^= bytes[i];
    return static_cast<std::uint8_t>(~x + 1);
}

std::uint8_t FrameChecksum(const QByteArray& bytes) {
    return FrameChecksum(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()));
}

namespace frame {

QByteArray modeSwitchLine() {
    return QByteArrayLiteral("BINARY\r");
}

void appendU16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

void appendU32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint16_t u16At(const QByteArray& bytes, int offset) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + offset;
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32At(const QByteArray& bytes, int offset) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + offset;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

QByteArray build(std::uint8_t command, const QByteArray& payload) {
    QByteArray out;
    out.reserve(payload.size() + kOverhead);
    out.append(static_cast<char>(kStart));
    out.append(static_cast<char>(command));
    appendU16(out, static_cast<std::uint16_t>(payload.size()));
    out.append(payload);
    out.append(static_cast<char>(
        FrameChecksum(reinterpret_cast<const std::uint8_t*>(out.constData()) + 1, out.size() - 1)));
    return out;
}

bool checksumMatches(const QByteArray& f) {
    if (f.size() < 2)
        return false;
    const auto* p = reinterpret_cast<const std::uint8_t*>(f.constData());
    return FrameChecksum(p + 1, f.size() - 2) == p[f.size() - 1];
}

QByteArray blockWriteRequest(std::uint8_t command, std::uint32_t address, const QByteArray& data) {
    QByteArray payload;
    appendU32(payload, address);
    appendU16(payload, static_cast<std::uint16_t>(data.size()));
    payload.append(data);
    return build(command, payload);
}

QByteArray blockReadRequest(std::uint8_t command, std::uint32_t address, std::uint16_t count) {
    QByteArray payload;
    appendU32(payload, address);
    appendU16(payload, count);
    appendU16(payload, 0);
    return build(command, payload);
}

std::optional<Parsed> parse(const QByteArray& f) {
    if (f.size() < kOverhead || static_cast<std::uint8_t>(f[0]) != kStart)
        return std::nullopt;
    const int length = u16At(f, 2);
    if (f.size() != length + kOverhead || !checksumMatches(f))
        return std::nullopt;
    return Parsed{static_cast<std::uint8_t>(f[1]), f.mid(kHeaderSize, length)};
}

} // namespace frame
