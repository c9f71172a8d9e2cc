#pragma once
// What the simulated controller is and does, as the configuration tool sees
// it: its identification, its memory areas 1..7, its live state (clock, inputs,
// outputs, perimeters, supply, battery, temperature, GSM, balance), the key
// reader, the password and the commands that act on that state. It answers
// one decoded request at a time; time is passed in (milliseconds on the
// device's clock) so tests can drive it.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

struct SimIdentity {
    QString name = QStringLiteral("RZN460");
    QString modification = QStringLiteral("KL+T407");
    // Versions as major, minor (shown as two hex digits each: 0x14, 0x01 = "14.01").
    std::uint8_t hardwareMajor = 0x14, hardwareMinor = 0x01;
    std::uint8_t firmwareMajor = 0x01, firmwareMinor = 0x02;
    std::uint8_t loaderMajor = 0x01, loaderMinor = 0x05;
    QString date = QStringLiteral("Mar 15 2016");
    QString country = QStringLiteral("RUS");
    std::array<std::uint32_t, 4> boundId{};
    std::array<std::uint32_t, 4> uniqueId{1604, 2201, 77, 460};
    QString imei = QStringLiteral("356938035643809");

    // The 88-byte identification block.
    QByteArray block() const;
};

// "12.02" -> major 0x12, minor 0x02. False when not two hex pairs.
bool ParseSimVersion(const QString& text, std::uint8_t& major, std::uint8_t& minor);

// How the controller treats block writes (a fault the user may set).
enum class WriteBehaviour { Normal, Refuse, Ignore };

class DeviceModel {
public:
    static constexpr int kAreaCount = 7;
    static constexpr int kStatusSize = 56;
    static constexpr int kKeyCodeSize = 12;
    static constexpr int kInputCount = 16;
    static constexpr int kOutputCount = 7;
    static constexpr int kPerimeterCount = 4;

    DeviceModel();

    SimIdentity identity;

    // Memory area 1..7 (bounds checked).
    QByteArray& area(int number);
    const QByteArray& area(int number) const;
    static int areaSize(int number);
    // Settings whose configuration tag is not the tool's (byte 0 = 2, "v.01.03").
    void setForeignConfigTag();
    // Writes the administrative password into the settings and makes it active.
    void setPassword(const QString& text);
    QByteArray activePassword() const { return password_; }
    bool loggedIn() const { return loggedIn_; }

    // Faults of the command layer.
    bool refusePassword = false;
    WriteBehaviour writeBehaviour = WriteBehaviour::Normal;
    std::uint8_t refuseStatus = 3; // status of a refused block write
    // Time an arming command spends in "changing mode" before the perimeter is armed.
    qint64 armDelayMs = 0;
    // How long a restart keeps the controller silent.
    qint64 restartMs = 1500;
    // How long a scenario keeps its output on and a simulated input stays active.
    qint64 pulseMs = 2000;

    // Live state the events change.
    struct Live {
        std::array<std::uint16_t, kInputCount> inputValue{}; // 0..4095 when passive
        std::uint16_t inputsActive = 0;
        std::uint8_t outputs = 0;
        std::array<std::uint8_t, kPerimeterCount> perimeterMode{}; // 0, 1, 2
        std::uint8_t supplyDeciVolts = 128;
        std::uint8_t battery = 100;
        std::int8_t temperature = 24;
        bool temperatureValid = true;
        std::uint8_t gsmState = 8;
        std::uint8_t signal = 21;
        float balance = 152.4f;
        bool balanceValid = true;
        std::uint8_t inputFlags = 0x20; // bits 5 and 6 of status byte 41
    } live;

    // Events (also what the control commands do).
    void presentKey(const QByteArray& code8, qint64 nowMs, qint64 durationMs);
    void armPerimeter(int p, qint64 nowMs);
    void disarmPerimeter(int p);
    void switchOutput(int o, bool on);
    void pulseOutput(int o, qint64 nowMs);
    void simulateInput(int i, qint64 nowMs);
    bool keyPresented(qint64 nowMs) const { return nowMs < keyUntil_; }
    // The controller clock at `nowMs`.
    QDateTime controllerTime(qint64 nowMs) const;
    bool restarting(qint64 nowMs) const { return nowMs < restartUntil_; }

    QByteArray statusBlock(qint64 nowMs) const;
    QByteArray keyCodeBlock(qint64 nowMs) const;

    // The reply frame to a request, or nullopt when the controller stays silent
    // (unknown command, malformed request). `note` tells the log why.
    std::optional<QByteArray> answer(std::uint8_t command, const QByteArray& payload, qint64 nowMs,
                                     QString* note = nullptr);
    // What a restart does: the settings take effect, the login ends, and the
    // controller hears nothing for restartMs.
    void restart(qint64 nowMs);
    // Called when the controller receives the mode-switch line.
    QByteArray modeSwitchAnswer() const { return QByteArray(1, '\x06'); }

private:
    std::optional<QByteArray> blockRead(std::uint8_t command, int area, const QByteArray& payload,
                                        QString* note);
    std::optional<QByteArray> blockWrite(std::uint8_t command, int area, const QByteArray& payload,
                                         QString* note);
    std::uint8_t control(const QByteArray& payload, qint64 nowMs);
    std::uint8_t setClock(const QByteArray& payload, qint64 nowMs);
    std::uint8_t checkPassword(const QByteArray& payload);
    void activateSettings();
    bool passwordNeeded() const { return !loggedIn_ && !password_.isEmpty(); }
    std::uint16_t inputsActive(qint64 nowMs) const;
    std::uint8_t outputs(qint64 nowMs) const;
    std::uint8_t perimeterModes(qint64 nowMs) const;

    std::array<QByteArray, kAreaCount> areas_;
    QByteArray password_; // up to 8 bytes, active since the last start, apply or restart
    bool loggedIn_ = false;
    QDateTime clockBase_;
    qint64 clockOffsetMs_ = 0;
    QByteArray key_;
    qint64 keyUntil_ = 0;
    qint64 restartUntil_ = 0;
    std::array<qint64, kInputCount> inputPulseUntil_{};
    std::array<qint64, kOutputCount> outputPulseUntil_{};
    std::array<qint64, kPerimeterCount> armAt_{}; // when a "changing mode" perimeter becomes armed
};
