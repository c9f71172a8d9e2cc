#pragma once
// The controller's live-state replies: the 56-byte status block (command 12)
// and the 12-byte key code block (command 14), with the fields the tool reads.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

constexpr int kStatusBlockSize = 56;
constexpr int kKeyCodeBlockSize = 12;

struct StatusBlock {
    std::array<std::uint8_t, kStatusBlockSize> bytes{};

    static StatusBlock fromBytes(const QByteArray& data);

    // Controller clock: year within the century, month, day, hour, minute, second.
    std::array<std::uint8_t, 6> clock() const;
    // The measured value of input n (1..16).
    std::uint16_t inputValue(int n) const;
    std::uint8_t supply() const { return bytes[38]; }  // units of 0.1 V
    std::uint8_t battery() const { return bytes[40]; } // percent; 254 = testing; other >100 = none
    std::uint8_t signalByte() const { return bytes[41]; }
    int signalLevel() const { return bytes[41] & 0x1F; }
    // Bits 5 and 6 of byte 41: the input values are valid (bit 6 only with a
    // non-zero battery byte).
    bool inputValuesValid() const;
    std::uint8_t perimeterModes() const { return bytes[42]; }
    bool temperatureValid() const { return (bytes[43] & 0x01) != 0; }
    bool balanceValid() const { return (bytes[43] & 0x02) != 0; }
    std::uint16_t inputStates() const;
    std::uint8_t outputStates() const { return bytes[46]; }
    std::uint8_t gsmState() const { return bytes[47]; }
    std::int8_t temperature() const { return static_cast<std::int8_t>(bytes[48]); }
    float balance() const;
};

struct KeyCodeBlock {
    std::array<std::uint8_t, kKeyCodeBlockSize> bytes{};

    static KeyCodeBlock fromBytes(const QByteArray& data);

    // A key is present only when bits 0 and 1 of byte 8 are both set.
    bool keyPresent() const { return (bytes[8] & 0x03) == 0x03; }
    // Bytes 0..7 as 16 upper-case hexadecimal digits, byte 0 first.
    QString code() const;
};
