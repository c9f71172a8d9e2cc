#include "monitor/status_block.h"

#include <algorithm>
#include <cstring>

namespace {

template <std::size_t N> void copyInto(std::array<std::uint8_t, N>& out, const QByteArray& data) {
    out.fill(0);
    const std::size_t n = std::min<std::size_t>(N, static_cast<std::size_t>(data.size()));
    std::memcpy(out.data(), data.constData(), n);
}

} // namespace

StatusBlock StatusBlock::fromBytes(const QByteArray& data) {
    StatusBlock b;
    copyInto(b.bytes, data);
    return b;
}

std::array<std::uint8_t, 6> StatusBlock::clock() const {
    return {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]};
}

std::uint16_t StatusBlock::inputValue(int n) const {
    if (n < 1 || n > 16)
        return 0;
    const std::size_t at = static_cast<std::size_t>(2 * n + 4);
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool StatusBlock::inputValuesValid() const {
    return ((bytes[41] & 0x40) != 0 && bytes[40] != 0) || (bytes[41] & 0x20) != 0;
}

std::uint16_t StatusBlock::inputStates() const {
    return static_cast<std::uint16_t>(bytes[44] | (bytes[45] << 8));
}

float StatusBlock::balance() const {
    const std::uint32_t raw = static_cast<std::uint32_t>(bytes[52]) |
                              (static_cast<std::uint32_t>(bytes[53]) << 8) |
                              (static_cast<std::uint32_t>(bytes[54]) << 16) |
                              (static_cast<std::uint32_t>(bytes[55]) << 24);
    float value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

KeyCodeBlock KeyCodeBlock::fromBytes(const QByteArray& data) {
    KeyCodeBlock b;
    copyInto(b.bytes, data);
    return b;
}

QString KeyCodeBlock::code() const {
    QString out;
    for (int i = 0; i < 8; ++i)
        out +=
            QStringLiteral("%1").arg(bytes[static_cast<std::size_t>(i)], 2, 16, QLatin1Char('0'));
    return out.toUpper();
}
