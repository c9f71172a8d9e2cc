#pragma once
// The controller's 56-byte status block (the status request's reply) and the
// texts its values are shown with. Used by the monitoring display and by the
// command-line tool, so every value reads the same wherever it is shown.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

constexpr int kStatusBlockSize = 56;

struct StatusBlock {
    std::array<std::uint8_t, 6> clock{}; // year in century, month, day, hour, minute, second
    std::array<std::uint16_t, 16> inputValues{};
    std::uint8_t supply = 0;        // 0.1 V units
    std::uint8_t battery = 0;       // percent; 254 battery test; other values above 100: none
    std::uint8_t signal = 0;        // 0..31
    bool inputValuesValidA = false; // byte 41 bit 5
    bool inputValuesValidB = false; // byte 41 bit 6 (with a non-zero battery byte)
    std::uint8_t perimeterModes = 0;
    bool temperatureValid = false;
    bool balanceValid = false;
    std::uint16_t inputStates = 0; // bit n-1: input n active
    std::uint8_t outputStates = 0; // bit 0 relay 1, bit 1 relay 2, bits 2..6 outputs 1..5
    std::uint8_t gsmState = 0;
    std::int8_t temperature = 0;
    float balance = 0;

    static StatusBlock parse(const std::uint8_t* bytes);

    // Mode of perimeter 1..4: 0 watch, 1 changing, 2 armed, 3 none.
    int perimeterMode(int perimeter) const { return (perimeterModes >> (2 * (perimeter - 1))) & 3; }
    bool inputActive(int input) const { return (inputStates >> (input - 1)) & 1u; }
    bool outputOn(int index) const { return (outputStates >> index) & 1u; }
    // The measured input values can be trusted.
    bool inputValuesValid() const {
        return (inputValuesValidB && battery != 0) || inputValuesValidA;
    }
};

namespace status_text {
// "НАБЛЮДЕНИЕ", "Смена режима", "ОХРАНА" or empty.
QString perimeterMode(int mode);
// Index into the twelve GSM state texts; 11 and above are the unknown state.
int gsmStateIndex(std::uint8_t state);
// "t° C".
QString temperature(int t);
// The percentage shown for a battery byte, and its message.
int batteryPercent(std::uint8_t battery);
QString batteryMessage(std::uint8_t battery);
// Volts with one decimal and " В"; values below 5 count as 0.
QString supply(std::uint8_t tenths);
// "Баланс лицевого счета: " and the value with two decimals and thousands separators.
QString balance(float value);
// "dd.mm.yy hh:mm:ss" from the six clock bytes as received.
QString controllerTime(const std::array<std::uint8_t, 6>& clock);
} // namespace status_text
