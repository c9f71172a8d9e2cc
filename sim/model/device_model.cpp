#include "model/device_model.h"

#include "config/cp1251.h"
#include "config/defaults.h"
#include "config/image_layout.h"
#include "link/frame.h"
#include "link/transaction_kind.h"

#include <algorithm>
#include <cstring>

namespace {

// Command codes the controller knows besides the block transfers.
enum Command : std::uint8_t {
    kIdentify = 5,
    kStatus = 12,
    kSetClock = 13,
    kKeyCode = 14,
    kApply = 15,
    kRestart = 16,
    kPassword = 17,
    kControl = 20,
    kExtendedInfo = 21,
};

// Acknowledgement statuses.
constexpr std::uint8_t kAccepted = 0, kNeedPassword = 2, kRefused = 3;

constexpr int kAreaSizes[DeviceModel::kAreaCount] = {5292, 4096, 4096, 10, 24, 18032, 4096};
constexpr int kPasswordSize = 8;
constexpr int kExtendedInfoSize = 16;
constexpr std::uint16_t kActiveInputValue = 3600;
constexpr std::uint16_t kPassiveInputValue = 1200;

void putText(QByteArray& block, int offset, int width, const QString& text) {
    const QByteArray b = cp1251::encode(text).left(width);
    std::memcpy(block.data() + offset, b.constData(), static_cast<std::size_t>(b.size()));
}

QByteArray ack(std::uint8_t command, std::uint8_t status) {
    return frame::build(command, QByteArray(1, static_cast<char>(status)));
}

} // namespace

QByteArray SimIdentity::block() const {
    QByteArray b(88, '\0');
    putText(b, 0, 9, name);
    putText(b, 9, 9, modification);
    b[18] = static_cast<char>(hardwareMinor);
    b[19] = static_cast<char>(hardwareMajor);
    b[20] = static_cast<char>(firmwareMinor);
    b[21] = static_cast<char>(firmwareMajor);
    b[22] = static_cast<char>(loaderMinor);
    b[23] = static_cast<char>(loaderMajor);
    putText(b, 24, 12, date);
    putText(b, 36, 4, country);
    for (int i = 0; i < 4; ++i) {
        QByteArray v;
        frame::appendU32(v, boundId[i]);
        b.replace(40 + 4 * i, 4, v);
        v.clear();
        frame::appendU32(v, uniqueId[i]);
        b.replace(72 + 4 * i, 4, v);
    }
    putText(b, 56, 16, imei);
    return b;
}

bool ParseSimVersion(const QString& text, std::uint8_t& major, std::uint8_t& minor) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 2 || parts[0].size() != 2 || parts[1].size() != 2)
        return false;
    bool ok1 = false, ok2 = false;
    const uint a = parts[0].toUInt(&ok1, 16), b = parts[1].toUInt(&ok2, 16);
    if (!ok1 || !ok2)
        return false;
    major = static_cast<std::uint8_t>(a);
    minor = static_cast<std::uint8_t>(b);
    return true;
}

DeviceModel::DeviceModel() : clockBase_(QDateTime::currentDateTime()) {
    for (int a = 1; a <= kAreaCount; ++a)
        areas_[a - 1] = QByteArray(kAreaSizes[a - 1], '\xFF');
    // A controller as it leaves the factory: the default configuration.
    ConfigImage image;
    SetAllDefaults(image);
    const auto bytes = [&image](std::size_t off, std::size_t len) {
        return QByteArray(reinterpret_cast<const char*>(image.data()) + off,
                          static_cast<qsizetype>(len));
    };
    area(1) = bytes(layout::kSettingsOffset, layout::kSettingsSize);
    area(4) = bytes(layout::kModesMemoryOffset, layout::kModesMemorySize);
    area(5) = bytes(layout::kSystemParametersOffset, layout::kSystemParametersSize);
    area(6) = bytes(layout::kControlPhoneListOffset, layout::kControlPhoneListSize);
    live.inputValue.fill(kPassiveInputValue);
    activateSettings();
}

QByteArray& DeviceModel::area(int number) {
    return areas_.at(static_cast<std::size_t>(number - 1));
}

const QByteArray& DeviceModel::area(int number) const {
    return areas_.at(static_cast<std::size_t>(number - 1));
}

int DeviceModel::areaSize(int number) {
    return number >= 1 && number <= kAreaCount ? kAreaSizes[number - 1] : 0;
}

void DeviceModel::setForeignConfigTag() {
    QByteArray& s = area(1);
    s[0] = 2;
    const QByteArray tag("v.01.03\0", 8);
    s.replace(1, 8, tag);
}

void DeviceModel::setPassword(const QString& text) {
    QByteArray p = cp1251::encode(text).left(kPasswordSize);
    p.append(QByteArray(static_cast<int>(layout::kAdminPasswordSize) - p.size(), '\0'));
    area(1).replace(static_cast<int>(layout::kAdminPasswordOffset),
                    static_cast<int>(layout::kAdminPasswordSize), p);
    activateSettings();
}

namespace {
// A password field as text: the bytes after its first zero do not count.
QByteArray passwordText(const QByteArray& field) {
    QByteArray p = field.left(kPasswordSize);
    const int zero = p.indexOf('\0');
    if (zero >= 0)
        p.truncate(zero);
    return p;
}
} // namespace

// Settings written to memory take effect at start, on apply and on restart.
void DeviceModel::activateSettings() {
    password_ = passwordText(area(1).mid(static_cast<int>(layout::kAdminPasswordOffset)));
    loggedIn_ = false;
}

void DeviceModel::restart(qint64 nowMs) {
    activateSettings();
    restartUntil_ = nowMs + restartMs;
}

void DeviceModel::presentKey(const QByteArray& code8, qint64 nowMs, qint64 durationMs) {
    key_ = code8.left(8);
    key_.append(QByteArray(8 - key_.size(), '\0'));
    keyUntil_ = nowMs + durationMs;
}

QDateTime DeviceModel::controllerTime(qint64 nowMs) const {
    return clockBase_.addMSecs(nowMs + clockOffsetMs_);
}

std::uint16_t DeviceModel::inputsActive(qint64 nowMs) const {
    std::uint16_t mask = live.inputsActive;
    for (int i = 0; i < kInputCount; ++i)
        if (nowMs < inputPulseUntil_[i])
            mask |= static_cast<std::uint16_t>(1u << i);
    return mask;
}

std::uint8_t DeviceModel::outputs(qint64 nowMs) const {
    std::uint8_t mask = live.outputs;
    for (int i = 0; i < kOutputCount; ++i)
        if (nowMs < outputPulseUntil_[i])
            mask |= static_cast<std::uint8_t>(1u << i);
    return mask;
}

std::uint8_t DeviceModel::perimeterModes(qint64 nowMs) const {
    std::uint8_t modes = 0;
    for (int p = 0; p < kPerimeterCount; ++p) {
        std::uint8_t m = live.perimeterMode[p];
        if (m == 1 && nowMs >= armAt_[p])
            m = 2;
        modes |= static_cast<std::uint8_t>((m & 3) << (2 * p));
    }
    return modes;
}

QByteArray DeviceModel::statusBlock(qint64 nowMs) const {
    QByteArray s(kStatusSize, '\0');
    const QDateTime t = controllerTime(nowMs);
    s[0] = static_cast<char>(t.date().year() % 100);
    s[1] = static_cast<char>(t.date().month());
    s[2] = static_cast<char>(t.date().day());
    s[3] = static_cast<char>(t.time().hour());
    s[4] = static_cast<char>(t.time().minute());
    s[5] = static_cast<char>(t.time().second());
    const std::uint16_t active = inputsActive(nowMs);
    for (int i = 0; i < kInputCount; ++i) {
        // Measured values drift a little around their level, as real sensors do.
        const int level = (active >> i) & 1 ? kActiveInputValue : live.inputValue[i];
        const int drift = static_cast<int>((nowMs / 250 + 3 * i) % 9) - 4;
        const int v = std::clamp(level + drift, 0, 4095);
        s[6 + 2 * i] = static_cast<char>(v & 0xFF);
        s[7 + 2 * i] = static_cast<char>(v >> 8);
    }
    s[38] = static_cast<char>(live.supplyDeciVolts);
    s[40] = static_cast<char>(live.battery);
    s[41] = static_cast<char>((live.signal & 0x1F) | (live.inputFlags & 0x60));
    s[42] = static_cast<char>(perimeterModes(nowMs));
    s[43] = static_cast<char>((live.temperatureValid ? 1 : 0) | (live.balanceValid ? 2 : 0));
    s[44] = static_cast<char>(active & 0xFF);
    s[45] = static_cast<char>(active >> 8);
    s[46] = static_cast<char>(outputs(nowMs));
    s[47] = static_cast<char>(live.gsmState);
    s[48] = static_cast<char>(live.temperature);
    std::uint32_t raw;
    std::memcpy(&raw, &live.balance, sizeof raw);
    QByteArray b;
    frame::appendU32(b, raw);
    s.replace(52, 4, b);
    return s;
}

QByteArray DeviceModel::keyCodeBlock(qint64 nowMs) const {
    QByteArray k(kKeyCodeSize, '\0');
    if (keyPresented(nowMs) && loggedIn_) {
        k.replace(0, 8, key_);
        k[8] = 0x03;
    }
    return k;
}

std::uint8_t DeviceModel::checkPassword(const QByteArray& payload) {
    if (payload.size() != static_cast<int>(layout::kAdminPasswordSize))
        return kRefused;
    if (!refusePassword && (password_.isEmpty() || passwordText(payload) == password_)) {
        loggedIn_ = true;
        return kAccepted;
    }
    loggedIn_ = false;
    return kNeedPassword;
}

std::uint8_t DeviceModel::setClock(const QByteArray& payload, qint64 nowMs) {
    if (payload.size() != 6)
        return kRefused;
    const auto b = [&payload](int i) { return static_cast<std::uint8_t>(payload[i]); };
    const QDate date(2000 + b(0), b(1), b(2));
    const QTime time(b(3), b(4), b(5));
    if (!date.isValid() || !time.isValid())
        return kRefused;
    clockOffsetMs_ = clockBase_.addMSecs(nowMs).msecsTo(QDateTime(date, time));
    return kAccepted;
}

void DeviceModel::armPerimeter(int p, qint64 nowMs) {
    live.perimeterMode.at(p) = armDelayMs > 0 ? 1 : 2;
    armAt_.at(p) = nowMs + armDelayMs;
}

void DeviceModel::disarmPerimeter(int p) {
    live.perimeterMode.at(p) = 0;
}

void DeviceModel::switchOutput(int o, bool on) {
    const auto bit = static_cast<std::uint8_t>(1u << o);
    live.outputs = static_cast<std::uint8_t>(on ? (live.outputs | bit) : (live.outputs & ~bit));
    if (!on)
        outputPulseUntil_.at(o) = 0;
}

void DeviceModel::pulseOutput(int o, qint64 nowMs) {
    outputPulseUntil_.at(o) = nowMs + pulseMs;
}

void DeviceModel::simulateInput(int i, qint64 nowMs) {
    inputPulseUntil_.at(i) = nowMs + pulseMs;
}

std::uint8_t DeviceModel::control(const QByteArray& payload, qint64 nowMs) {
    if (payload.size() != 3)
        return kRefused;
    const int op = static_cast<std::uint8_t>(payload[0]);
    const int target = static_cast<std::uint8_t>(payload[1]);
    const int arg = static_cast<std::uint8_t>(payload[2]);
    switch (op) {
    case 0: // arm a perimeter
    case 1: // disarm a perimeter
        if (target >= kPerimeterCount)
            return kRefused;
        if (op == 0)
            armPerimeter(target, nowMs);
        else
            disarmPerimeter(target);
        return kAccepted;
    case 2: // output action: 1 on, 2 off, 3.. a scenario (a pulse on the output)
        if (target >= kOutputCount || arg < 1 || arg > 16)
            return kRefused;
        if (arg <= 2)
            switchOutput(target, arg == 1);
        else
            pulseOutput(target, nowMs);
        return kAccepted;
    case 3: // protection mode: every perimeter armed at once
        for (int p = 0; p < kPerimeterCount; ++p) {
            live.perimeterMode[p] = 2;
            armAt_[p] = nowMs;
        }
        return kAccepted;
    case 4: // simulate an input's activation
        if (target >= kInputCount)
            return kRefused;
        simulateInput(target, nowMs);
        return kAccepted;
    default:
        return kRefused;
    }
}

std::optional<QByteArray> DeviceModel::blockRead(std::uint8_t command, int areaNo,
                                                 const QByteArray& payload, QString* note) {
    if (payload.size() != 8) {
        if (note)
            *note = QStringLiteral("block read with a payload of %1 bytes").arg(payload.size());
        return std::nullopt;
    }
    const std::uint32_t address = frame::u32At(payload, 0);
    const int count = frame::u16At(payload, 4);
    const QByteArray& mem = area(areaNo);
    if (count < 1 || count > frame::kMaxBlock || address + count > std::uint32_t(mem.size())) {
        if (note)
            *note = QStringLiteral("block read outside area %1").arg(areaNo);
        return std::nullopt;
    }
    QByteArray reply = payload.left(6);
    reply.append(mem.mid(static_cast<int>(address), count));
    return frame::build(command, reply);
}

std::optional<QByteArray> DeviceModel::blockWrite(std::uint8_t command, int areaNo,
                                                  const QByteArray& payload, QString* note) {
    if (payload.size() < 6 || payload.size() != 6 + frame::u16At(payload, 4)) {
        if (note)
            *note = QStringLiteral("block write whose count disagrees with its length");
        return std::nullopt;
    }
    const std::uint32_t address = frame::u32At(payload, 0);
    const int count = frame::u16At(payload, 4);
    QByteArray& mem = area(areaNo);
    std::uint8_t status = kAccepted;
    if (count < 1 || count > frame::kMaxBlock || address + count > std::uint32_t(mem.size()))
        status = kRefused;
    else if (passwordNeeded())
        status = kNeedPassword;
    else if (writeBehaviour == WriteBehaviour::Refuse)
        status = refuseStatus;
    else if (writeBehaviour == WriteBehaviour::Normal)
        mem.replace(static_cast<int>(address), count, payload.mid(6));
    if (note && status != kAccepted)
        *note = QStringLiteral("block write refused with status %1").arg(status);
    QByteArray reply = payload.left(6);
    reply.append(static_cast<char>(status));
    reply.append('\0');
    return frame::build(command, reply);
}

std::optional<QByteArray> DeviceModel::answer(std::uint8_t command, const QByteArray& payload,
                                              qint64 nowMs, QString* note) {
    if (const auto a = areaOfReadCommand(command))
        return blockRead(command, static_cast<int>(*a), payload, note);
    if (const auto a = areaOfWriteCommand(command))
        return blockWrite(command, static_cast<int>(*a), payload, note);
    switch (command) {
    case kIdentify:
        return frame::build(command, identity.block());
    case kStatus:
        return frame::build(command, statusBlock(nowMs));
    case kKeyCode:
        return frame::build(command, keyCodeBlock(nowMs));
    case kExtendedInfo:
        return frame::build(command, identity.block().mid(72, kExtendedInfoSize));
    case kSetClock:
        return ack(command, setClock(payload, nowMs));
    case kPassword:
        return ack(command, checkPassword(payload));
    case kApply:
    case kRestart: {
        if (payload.size() != 1)
            return ack(command, kRefused);
        if (passwordNeeded())
            return ack(command, kNeedPassword);
        if (command == kRestart)
            restart(nowMs);
        else
            activateSettings();
        return ack(command, kAccepted);
    }
    case kControl:
        if (passwordNeeded())
            return ack(command, kNeedPassword);
        return ack(command, control(payload, nowMs));
    default:
        if (note)
            *note = QStringLiteral("unknown command %1").arg(command);
        return std::nullopt;
    }
}
