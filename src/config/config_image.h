#pragma once
// The 23360-byte configuration image and the field encodings every page uses.
// All multi-byte numbers are little-endian; text is cp1251.
#include "config/image_layout.h"

#include <QString>
#include <array>
#include <cstdint>

class ConfigImage {
public:
    using Bytes = std::array<std::uint8_t, layout::kImageSize>;

    ConfigImage() { bytes_.fill(0); }

    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return layout::kImageSize; }
    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }
    bool operator==(const ConfigImage&) const = default;

    std::uint8_t u8(std::size_t off) const { return bytes_.at(off); }
    void setU8(std::size_t off, std::uint8_t v) { bytes_.at(off) = v; }
    std::int8_t i8(std::size_t off) const { return static_cast<std::int8_t>(bytes_.at(off)); }
    void setI8(std::size_t off, std::int8_t v) { bytes_.at(off) = static_cast<std::uint8_t>(v); }

    std::uint16_t u16(std::size_t off) const;
    void setU16(std::size_t off, std::uint16_t v);
    std::int16_t i16(std::size_t off) const { return static_cast<std::int16_t>(u16(off)); }
    void setI16(std::size_t off, std::int16_t v) { setU16(off, static_cast<std::uint16_t>(v)); }
    std::uint32_t u32(std::size_t off) const;
    void setU32(std::size_t off, std::uint32_t v);
    float f32(std::size_t off) const;
    void setF32(std::size_t off, float v);

    // Bit fields: bits lo..hi of one byte, value right-aligned. Writing is
    // read-modify-write: only the field's own bits change; the value is masked.
    static constexpr std::uint8_t fieldMask(int lo, int hi) {
        return static_cast<std::uint8_t>(((1u << (hi - lo + 1)) - 1u) << lo);
    }
    std::uint8_t bits(std::size_t off, int lo, int hi) const {
        return static_cast<std::uint8_t>((bytes_.at(off) & fieldMask(lo, hi)) >> lo);
    }
    void setBits(std::size_t off, int lo, int hi, unsigned v);
    bool bit(std::size_t off, int n) const { return (bytes_.at(off) >> n) & 1u; }
    void setBit(std::size_t off, int n, bool on) { setBits(off, n, n, on ? 1u : 0u); }

    // Text of a field of `size` bytes: the characters up to the first zero byte,
    // or all `size` bytes when the field holds no zero.
    QString text(std::size_t off, std::size_t size) const;
    // Padded copy: at most size-1 characters, the rest of the field zero.
    void setTextPadded(std::size_t off, std::size_t size, const QString& text);
    // Bounded copy: at most size-1 characters and one zero byte; the bytes after
    // that zero keep their contents.
    void setTextBounded(std::size_t off, std::size_t size, const QString& text);

    // IPv4: a 32-bit little-endian number, first dotted number most significant.
    std::uint32_t ipv4(std::size_t off) const { return u32(off); }
    void setIpv4(std::size_t off, std::uint32_t v) { setU32(off, v); }
    QString ipv4Text(std::size_t off) const;
    // Accepts "a.b.c.d" with blanks around the numbers; false when not an address.
    static bool parseIpv4(const QString& text, std::uint32_t& out);

    void copyFrom(const ConfigImage& other, std::size_t off, std::size_t len);
    void fill(std::size_t off, std::size_t len, std::uint8_t v);

private:
    Bytes bytes_;
};

// Three-state input boxes stored as two 16-bit masks: "selected" (greyed or
// checked) and "full" (checked). Bit n-1 for input n.
enum class TriState : std::uint8_t { Unchecked = 0, Greyed = 1, Checked = 2 };

struct TriStateInputMask {
    std::uint16_t selected = 0;
    std::uint16_t full = 0;

    TriState state(int input) const; // input 0..15
    void setState(int input, TriState s);
};
