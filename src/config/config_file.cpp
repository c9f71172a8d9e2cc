#include "config/config_file.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cstring>

namespace {

constexpr char kHeaderTemplate[] = "[RZNControllerConfiguration_v01.00]";
// What the reader's header buffer holds before the file's bytes arrive: an
// empty or short file therefore compares as another version.
constexpr char kHeaderUnread[] = "[RZNControllerConfiguration_v--.--]";
constexpr char kHeaderSupported[] = "[RZNControllerConfiguration_v01.02]";
constexpr std::size_t kHeaderSize = 35;
constexpr std::size_t kHeaderPrefixSize = 29;
constexpr std::size_t kHeaderVersionOffset = 29;
static_assert(sizeof kHeaderTemplate == kHeaderSize + 1);

constexpr std::size_t kBodySize = layout::kSettingsSize;
using Body = std::array<std::uint8_t, kBodySize>;

// Two's complement of the XOR of the body: that XOR plus the check byte is 0 mod 256.
std::uint8_t CheckByte(const Body& body) {
    std::uint8_t x = 0;
    for (std::uint8_t b : body)
        x ^= b;
    return static_cast<std::uint8_t>(0x100 - x);
}

// The template with the image's version text, cut at its first zero byte.
QByteArray BuildHeader(const ConfigImage& image) {
    QByteArray header(kHeaderTemplate, kHeaderSize);
    for (std::size_t i = 0; i < layout::kVersionTextSize; ++i)
        header[static_cast<qsizetype>(kHeaderVersionOffset + i)] =
            static_cast<char>(image.u8(layout::kVersionTextOffset + i));
    const qsizetype zero = header.indexOf('\0');
    if (zero >= 0)
        header.truncate(zero);
    return header;
}

} // namespace

int WriteConfigFile(ConfigImage& image, const QString& path) {
    const QByteArray header = BuildHeader(image);
    // The administrative password stays empty in the working image, and none of
    // its bytes reaches the file, whatever follows its first character.
    image.setU8(layout::kAdminPasswordOffset, 0);
    Body body;
    std::memcpy(body.data(), image.data() + layout::kSettingsOffset, kBodySize);
    std::memset(body.data() + layout::kAdminPasswordOffset, 0, layout::kAdminPasswordSize);
    const char check = static_cast<char>(CheckByte(body));

    // Written to a temporary file and renamed over the target on commit, so a
    // failed save leaves the previous file intact (an uncommitted QSaveFile
    // removes its temporary file). Unbuffered, because a buffered QSaveFile
    // (Qt 6.4) commits a short write, say on a full disk, as a success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileCannotOpen;
    const qint64 bodySize = static_cast<qint64>(kBodySize);
    const bool written =
        file.write(header) == header.size() &&
        file.write(reinterpret_cast<const char*>(body.data()), bodySize) == bodySize &&
        file.write(&check, 1) == 1 && file.size() == header.size() + bodySize + 1;
    return written && file.commit() ? FileOk : FileCannotOpen;
}

int ReadConfigFile(ConfigImage& image, const QString& path) {
    // Read-only: a write-protected file is perfectly readable.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileCannotOpen;

    char header[kHeaderSize];
    std::memcpy(header, kHeaderUnread, kHeaderSize);
    if (file.read(header, kHeaderSize) < 0)
        return FileCannotOpen;
    if (std::memcmp(header, kHeaderSupported, kHeaderPrefixSize) != 0)
        return FileUnknownFormat;
    if (std::memcmp(header, kHeaderSupported, kHeaderSize) != 0)
        return FileVersionMismatch;

    // The body goes to a scratch copy; the image changes only when all is well.
    Body body{};
    const qint64 got = file.read(reinterpret_cast<char*>(body.data()), kBodySize);
    if (got < 0)
        return FileCannotOpen;
    if (got != static_cast<qint64>(kBodySize))
        return FileUnknownFormat; // truncated: the check byte is missing too
    char check = 0;
    const qint64 gotCheck = file.read(&check, 1);
    if (gotCheck < 0)
        return FileCannotOpen;
    if (gotCheck != 1 || static_cast<std::uint8_t>(check) != CheckByte(body))
        return FileUnknownFormat;
    file.close();

    std::memcpy(image.data() + layout::kSettingsOffset, body.data(), kBodySize);
    return FileOk;
}

QString ConfigFileOpenErrorText(int result) {
    switch (result) {
    case FileCannotOpen:
        return QStringLiteral("Невозможно открыть файл");
    case FileUnknownFormat:
        return QStringLiteral("Неизвестный формат файла");
    default:
        return QStringLiteral("Несоответствие версий! Файл не может быть использован для "
                              "конфигурирования этого устройства.");
    }
}

QString ConfigFileSaveErrorText() {
    return QStringLiteral("Невозможно сохранить файл");
}
