// Defaults of the controller-wide settings: tag, security and notification
// flags, clock, power, indication, temperature, tamper and the reserved bytes.
#include "config/defaults_regions.h"

namespace defaults {
namespace {

// Configuration tag: format 1, version text "v.01.02".
constexpr std::uint8_t kTagFormat = 1;
constexpr TextField kTagText = {1, 8, "v.01.02"};

constexpr BitField kConnectionFlags[] = {
    {12, 0, 2, 1},  // pause between voice connections: 10 s
    {12, 3, 3, 1},  // always acknowledge SMS commands
    {12, 4, 4, 1},  // SMS control only from listed phones
    {12, 5, 5, 1},  // DTMF control only from listed phones
    {12, 6, 7, 0},  // dial priority: rotate 1..8
    {13, 0, 3, 15}, // outdated SMS commands: 30 minutes
    {13, 4, 4, 1},  // data protocol V.110
    {14, 0, 7, 1},  // Modbus address
};

constexpr TextField kPasswords[] = {
    {38, 5, "9630"}, // DTMF control password
    {43, 9, "rilo"}, // SMS control password
};

// Time zone: signed hours from GMT.
constexpr std::size_t kTimeZone = 2672;
constexpr std::int8_t kTimeZoneHours = 3;

constexpr BitField kPowerAndIndication[] = {
    {2808, 0, 2, 1},  // supply signal averaging: 4 s
    {2808, 3, 3, 1},  // message on supply loss
    {2808, 4, 6, 4},  // power messages at most every 32 minutes
    {2808, 7, 7, 1},  // message on supply return
    {2812, 0, 6, 20}, // second discharge border, %
    {2812, 7, 7, 1},  // message at the second border
    {2813, 0, 6, 40}, // first discharge border, %
    {2813, 7, 7, 1},  // message at the first border
    {2817, 2, 2, 1},  // show past input activity by flashes
};

constexpr BitField kTemperatureAndTamper[] = {
    {2842, 0, 0, 1}, // notify when the temperature leaves the borders
    {2849, 0, 0, 1}, // notify when the case is opened
};

struct SignedByte {
    std::size_t offset;
    std::int8_t value;
};

constexpr SignedByte kTemperatures[] = {
    {2843, -25}, // lower notification border, deg C
    {2844, 60},  // upper notification border, deg C
    {2845, -20}, // "fall below" action level, deg C
    {2847, -15}, // "rise above" action level, deg C
};

struct ByteValue {
    std::size_t offset;
    std::uint8_t value;
};

// Reserved bytes: no page edits them; the controller expects these values.
constexpr ByteValue kReserved[] = {{3080, 16}, {3081, 14}, {3082, 100}, {3084, 60}};

} // namespace

void WriteSystemDefaults(ConfigImage& image) {
    image.setU8(0, kTagFormat);
    Write(image, 0, kTagText);
    WriteAll(image, 0, kConnectionFlags);
    WriteAll(image, 0, kPasswords);
    image.setI8(kTimeZone, kTimeZoneHours);
    WriteAll(image, 0, kPowerAndIndication);
    WriteAll(image, 0, kTemperatureAndTamper);
    for (const SignedByte& t : kTemperatures)
        image.setI8(t.offset, t.value);
    for (const ByteValue& r : kReserved)
        image.setU8(r.offset, r.value);
}

} // namespace defaults
