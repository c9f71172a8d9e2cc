#pragma once
// The controller's 88-byte identification block: parsing into the texts shown
// on the root page and in the status bar, the placeholder shown when
// identification fails, and the device and version checks.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

constexpr int kDeviceIdBlockSize = 88;

// The block as received (little-endian fields, cp1251 texts).
struct DeviceIdBlock {
    std::array<std::uint8_t, kDeviceIdBlockSize> bytes{};

    static DeviceIdBlock fromBytes(const std::uint8_t* data);
    // Dashes in every text field, zero versions and identifiers.
    static DeviceIdBlock placeholder();
};

// Byte offsets and widths of the block's fields.
namespace device_id {
constexpr int kNameOffset = 0, kNameChars = 8;
constexpr int kModificationOffset = 9, kModificationChars = 8;
constexpr int kHardwareOffset = 18;
constexpr int kFirmwareOffset = 20;
constexpr int kLoaderOffset = 22;
constexpr int kDateOffset = 24, kDateChars = 11;
constexpr int kCountryOffset = 36, kCountryChars = 3;
constexpr int kBoundIdOffset = 40;
constexpr int kImeiOffset = 56, kImeiChars = 15;
constexpr int kUniqueIdOffset = 72;
} // namespace device_id

// The captions of the identification labels and the version string, as the
// block is shown.
struct DeviceIdentity {
    QString deviceName;   // iDeviceNameLabel
    QString modification; // iModificationLabel
    QString hardware;     // iHardVerLabel, "12.02" or "--.--"
    QString firmware;     // iSoftVerLabel
    QString loader;       // iBLLabel
    QString date;         // iDateLabel
    QString countryCode;  // iLabelCountryCode
    QString boundId;      // iLabelDevSNLocked
    QString imei;         // iGSMIMEILabel
    QString uniqueId;     // iLabelDevSN
    // Status-bar panel 2: modification "." firmware, e.g. KL+T407.01.02.
    QString versionString() const { return modification + QLatin1Char('.') + firmware; }

    bool operator==(const DeviceIdentity&) const = default;
};

DeviceIdentity ParseDeviceId(const DeviceIdBlock& block);

// Two upper-case hex digits of the major byte, ".", two of the minor byte;
// "--.--" when both are 0.
QString FormatIdVersion(std::uint8_t minor, std::uint8_t major);
// Four 32-bit values as "%010u %010u\r\n %010u %010u"; `allZeroText` when all are 0.
QString FormatIdValues(const std::uint32_t values[4], const QString& allZeroText);
QString BoundIdPlaceholder();  // 48 blanks and a dash
QString UniqueIdPlaceholder(); // rows of dashes

// The firmware editions the tool works with, in order.
const QStringList& SupportedVersions();
QString SupportedDeviceName(); // "RZN460"

bool IsDeviceSupported(const DeviceIdentity& id);
bool IsVersionSupported(const DeviceIdentity& id);
// "Устройство <name> не поддерживается", "Версия <version> не поддерживается".
QString DeviceNotSupportedText(const QString& deviceName);
QString VersionNotSupportedText(const QString& version);
