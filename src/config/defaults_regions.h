#pragma once
// Writers of the default settings block, one per group of regions. Each writes
// only the non-zero defaults of its regions into an image whose settings block
// is zero; DefaultImage() runs them all once.
#include "config/config_image.h"

namespace defaults {

// Configuration tag, common connection flags and passwords, clock, power and
// indication, temperature and tamper, the reserved region.
void WriteSystemDefaults(ConfigImage& image);
// GPRS access point, connection strategy and the three server records.
void WriteGprsDefaults(ConfigImage& image);
// Connections, inputs, relays and outputs.
void WriteChannelDefaults(ConfigImage& image);
// Control scenarios, perimeters and profiles.
void WriteBehaviourDefaults(ConfigImage& image);

// One bit field of the image: bits lo..hi of the byte at `offset`.
struct BitField {
    std::size_t offset;
    int lo;
    int hi;
    unsigned value;
};

// One padded text field; the text is UTF-8 source text, stored as cp1251.
struct TextField {
    std::size_t offset;
    std::size_t size;
    const char* text;
};

inline void Write(ConfigImage& image, std::size_t base, const BitField& f) {
    image.setBits(base + f.offset, f.lo, f.hi, f.value);
}

inline void Write(ConfigImage& image, std::size_t base, const TextField& f) {
    image.setTextPadded(base + f.offset, f.size, QString::fromUtf8(f.text));
}

template <typename Field, std::size_t N>
void WriteAll(ConfigImage& image, std::size_t base, const Field (&fields)[N]) {
    for (const Field& f : fields)
        Write(image, base, f);
}

} // namespace defaults
