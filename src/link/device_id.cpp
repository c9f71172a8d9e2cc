#include "link/device_id.h"

#include "config/cp1251.h"

#include <cstring>

DeviceIdBlock DeviceIdBlock::fromBytes(const std::uint8_t* data) {
    DeviceIdBlock b;
    std::memcpy(b.bytes.data(), data, b.bytes.size());
    return b;
}

DeviceIdBlock DeviceIdBlock::placeholder() {
    DeviceIdBlock b;
    const auto dashes = [&b](int offset, int count) {
        std::memset(b.bytes.data() + offset, '-', static_cast<std::size_t>(count));
    };
    dashes(device_id::kNameOffset, 8);
    dashes(device_id::kModificationOffset, 8);
    dashes(device_id::kDateOffset, 11);
    dashes(device_id::kCountryOffset, 3);
    dashes(device_id::kImeiOffset, 15);
    return b;
}

namespace {

// Text of a field: up to its first zero byte, at most `chars` characters.
QString fieldText(const DeviceIdBlock& b, int offset, int chars) {
    const char* p = reinterpret_cast<const char*>(b.bytes.data() + offset);
    return cp1251::decode(p, static_cast<qsizetype>(strnlen(p, static_cast<std::size_t>(chars))));
}

std::uint32_t u32At(const DeviceIdBlock& b, int offset) {
    const std::uint8_t* p = b.bytes.data() + offset;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

QString versionAt(const DeviceIdBlock& b, int offset) {
    return FormatIdVersion(b.bytes[offset], b.bytes[offset + 1]);
}

QString valuesAt(const DeviceIdBlock& b, int offset, const QString& allZeroText) {
    const std::uint32_t v[4] = {u32At(b, offset), u32At(b, offset + 4), u32At(b, offset + 8),
                                u32At(b, offset + 12)};
    return FormatIdValues(v, allZeroText);
}

} // namespace

QString FormatIdVersion(std::uint8_t minor, std::uint8_t major) {
    if (minor == 0 && major == 0)
        return QStringLiteral("--.--");
    const auto hex = [](std::uint8_t v) {
        return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
    };
    return hex(major) + QLatin1Char('.') + hex(minor);
}

QString FormatIdValues(const std::uint32_t values[4], const QString& allZeroText) {
    if (values[0] == 0 && values[1] == 0 && values[2] == 0 && values[3] == 0)
        return allZeroText;
    const auto dec = [](std::uint32_t v) {
        return QStringLiteral("%1").arg(v, 10, 10, QLatin1Char('0'));
    };
    return dec(values[0]) + QLatin1Char(' ') + dec(values[1]) + QStringLiteral("\r\n ") +
           dec(values[2]) + QLatin1Char(' ') + dec(values[3]);
}

QString BoundIdPlaceholder() {
    return QString(48, QLatin1Char(' ')) + QLatin1Char('-');
}

QString UniqueIdPlaceholder() {
    return QStringLiteral("- - - - - - - -  - - - - - - - -\r\n  - - - - - - - -  - - - - - - - -");
}

DeviceIdentity ParseDeviceId(const DeviceIdBlock& b) {
    using namespace device_id;
    DeviceIdentity id;
    id.deviceName = fieldText(b, kNameOffset, kNameChars);
    id.modification = fieldText(b, kModificationOffset, kModificationChars);
    id.hardware = versionAt(b, kHardwareOffset);
    id.firmware = versionAt(b, kFirmwareOffset);
    id.loader = versionAt(b, kLoaderOffset);
    id.date = fieldText(b, kDateOffset, kDateChars);
    id.countryCode = fieldText(b, kCountryOffset, kCountryChars);
    id.boundId = valuesAt(b, kBoundIdOffset, BoundIdPlaceholder());
    id.imei = fieldText(b, kImeiOffset, kImeiChars);
    id.uniqueId = valuesAt(b, kUniqueIdOffset, UniqueIdPlaceholder());
    return id;
}

const QStringList& SupportedVersions() {
    static const QStringList versions = {
        QStringLiteral("KL+T407.01.02"),
        QStringLiteral("KL+T407D.01.03"),
        QStringLiteral("KL+T407.01.03"),
        QStringLiteral("KL+T407D.01.04"),
    };
    return versions;
}

QString SupportedDeviceName() {
    return QStringLiteral("RZN460");
}

bool IsDeviceSupported(const DeviceIdentity& id) {
    return id.deviceName == SupportedDeviceName();
}

bool IsVersionSupported(const DeviceIdentity& id) {
    return SupportedVersions().contains(id.versionString(), Qt::CaseSensitive);
}

QString DeviceNotSupportedText(const QString& deviceName) {
    return QStringLiteral("Устройство ") + deviceName + QStringLiteral(" не поддерживается");
}

QString VersionNotSupportedText(const QString& version) {
    return QStringLiteral("Версия ") + version + QStringLiteral(" не поддерживается");
}
