#include "config/config_image.h"

#include "config/cp1251.h"

#include <QStringList>
#include <cstring>

std::uint16_t ConfigImage::u16(std::size_t off) const {
    return static_cast<std::uint16_t>(bytes_.at(off) | (bytes_.at(off + 1) << 8));
}

void ConfigImage::setU16(std::size_t off, std::uint16_t v) {
    (void)bytes_.at(off + 1); // bounds check before the first byte changes
    bytes_.at(off) = static_cast<std::uint8_t>(v);
    bytes_.at(off + 1) = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t ConfigImage::u32(std::size_t off) const {
    return std::uint32_t(bytes_.at(off)) | std::uint32_t(bytes_.at(off + 1)) << 8 |
           std::uint32_t(bytes_.at(off + 2)) << 16 | std::uint32_t(bytes_.at(off + 3)) << 24;
}

void ConfigImage::setU32(std::size_t off, std::uint32_t v) {
    (void)bytes_.at(off + 3); // bounds check before the first byte changes
    for (int i = 0; i < 4; ++i)
        bytes_.at(off + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

float ConfigImage::f32(std::size_t off) const {
    const std::uint32_t raw = u32(off);
    float v;
    std::memcpy(&v, &raw, sizeof v);
    return v;
}

void ConfigImage::setF32(std::size_t off, float v) {
    std::uint32_t raw;
    std::memcpy(&raw, &v, sizeof raw);
    setU32(off, raw);
}

void ConfigImage::setBits(std::size_t off, int lo, int hi, unsigned v) {
    const std::uint8_t mask = fieldMask(lo, hi);
    std::uint8_t& b = bytes_.at(off);
    b = static_cast<std::uint8_t>((b & ~mask) | ((v << lo) & mask));
}

QString ConfigImage::text(std::size_t off, std::size_t size) const {
    (void)bytes_.at(off + size - 1); // bounds check
    const char* p = reinterpret_cast<const char*>(bytes_.data() + off);
    const std::size_t len = strnlen(p, size);
    return cp1251::decode(p, static_cast<qsizetype>(len));
}

namespace {
// The cp1251 form of `text`, cut to `max` bytes and to its first zero byte.
QByteArray fieldBytes(const QString& text, std::size_t max) {
    QByteArray b = cp1251::encode(text);
    const qsizetype zero = b.indexOf('\0');
    if (zero >= 0)
        b.truncate(zero);
    if (static_cast<std::size_t>(b.size()) > max)
        b.truncate(static_cast<qsizetype>(max));
    return b;
}
} // namespace

void ConfigImage::setTextPadded(std::size_t off, std::size_t size, const QString& text) {
    (void)bytes_.at(off + size - 1);
    const QByteArray b = fieldBytes(text, size - 1);
    std::memset(bytes_.data() + off, 0, size);
    std::memcpy(bytes_.data() + off, b.constData(), static_cast<std::size_t>(b.size()));
}

void ConfigImage::setTextBounded(std::size_t off, std::size_t size, const QString& text) {
    (void)bytes_.at(off + size - 1);
    const QByteArray b = fieldBytes(text, size - 1);
    std::memcpy(bytes_.data() + off, b.constData(), static_cast<std::size_t>(b.size()));
    bytes_[off + static_cast<std::size_t>(b.size())] = 0;
}

QString ConfigImage::ipv4Text(std::size_t off) const {
    const std::uint32_t v = u32(off);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

bool ConfigImage::parseIpv4(const QString& text, std::uint32_t& out) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    std::uint32_t v = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const QString t = part.trimmed();
        const uint n = t.toUInt(&ok, 10);
        if (!ok || t.isEmpty() || n > 255)
            return false;
        v = (v << 8) | n;
    }
    out = v;
    return true;
}

void ConfigImage::copyFrom(const ConfigImage& other, std::size_t off, std::size_t len) {
    (void)bytes_.at(off + len - 1);
    std::memcpy(bytes_.data() + off, other.bytes_.data() + off, len);
}

void ConfigImage::fill(std::size_t off, std::size_t len, std::uint8_t v) {
    (void)bytes_.at(off + len - 1);
    std::memset(bytes_.data() + off, v, len);
}

TriState TriStateInputMask::state(int input) const {
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << input);
    if (full & bit)
        return TriState::Checked;
    if (selected & bit)
        return TriState::Greyed;
    return TriState::Unchecked;
}

void TriStateInputMask::setState(int input, TriState s) {
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << input);
    selected =
        static_cast<std::uint16_t>(s == TriState::Unchecked ? selected & ~bit : selected | bit);
    full = static_cast<std::uint16_t>(s == TriState::Checked ? full | bit : full & ~bit);
}
