#pragma once
// The 3-byte payload of the control command (command 20, transaction kind 10):
// operation, target, argument.
#include <QByteArray>
#include <cstdint>

struct ControlCommand {
    enum Operation : std::uint8_t {
        ArmPerimeter = 0,
        DisarmPerimeter = 1,
        OutputAction = 2,
        ProtectionMode = 3,
        SimulateInput = 4,
    };
    // Arguments of OutputAction.
    static constexpr std::uint8_t kSwitchOn = 1;
    static constexpr std::uint8_t kSwitchOff = 2;
    static constexpr std::uint8_t kFirstScenario = 3; // 3 + k runs scenario k+1

    std::uint8_t operation = 0;
    std::uint8_t target = 0; // perimeter 0..3, output 0..6, input 0..15
    std::uint8_t argument = 0;

    QByteArray payload() const {
        const char bytes[3] = {static_cast<char>(operation), static_cast<char>(target),
                               static_cast<char>(argument)};
        return QByteArray(bytes, 3);
    }
    bool operator==(const ControlCommand&) const = default;
};
