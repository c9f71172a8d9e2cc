#include "app/settings_file.h"

#include "config/cp1251.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace settings_file {

namespace {

constexpr char kHeader[] = "[RZNProgCfg]";
constexpr int kHeaderSize = 12;
static_assert(sizeof kHeader == kHeaderSize + 1);

bool hasControlCharacters(const QString& name) {
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    return false;
}

#ifdef Q_OS_WIN
void setHidden(const QString& path, bool hidden) {
    const std::wstring native =
        QString(path).replace(QLatin1Char('/'), QLatin1Char('\\')).toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(native.c_str(), hidden ? (attributes | FILE_ATTRIBUTE_HIDDEN)
                                              : (attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN)));
}
#endif

} // namespace

QString fileName() {
    return QStringLiteral("RZNConfig.cfg");
}

std::optional<QString> storableName(const QString& portName) {
    QString name = portName;
#ifdef Q_OS_WIN
    if (name.startsWith(QLatin1String("\\\\.\\")))
        name = name.mid(4);
#else
    // Qt opens "ttyUSB0" as "/dev/ttyUSB0", and "pts/7" as "/dev/pts/7".
    const QString dev = QStringLiteral("/dev/");
    if (name.startsWith(dev) && name.size() > dev.size() && !name.contains(QLatin1String("/../")))
        name = name.mid(dev.size());
#endif
    if (name.isEmpty() || name.size() > kMaxNameChars || hasControlCharacters(name))
        return std::nullopt;
    // Every character must survive the single-byte field unchanged.
    if (cp1251::decode(cp1251::encode(name)) != name)
        return std::nullopt;
    return name;
}

bool acceptableName(const QString& name) {
#ifdef Q_OS_WIN
    return name.contains(QLatin1Char('C')) && name.contains(QLatin1Char('O')) &&
           name.contains(QLatin1Char('M')) && !hasControlCharacters(name);
#else
    return !name.isEmpty() && !hasControlCharacters(name);
#endif
}

std::optional<QByteArray> build(const QString& portName) {
    const std::optional<QString> name = storableName(portName);
    if (!name)
        return std::nullopt;
    QByteArray bytes(kHeader, kHeaderSize);
    QByteArray field = cp1251::encode(*name);
    field.resize(kNameField, '\0');
    bytes += field;
    char trailer[4];
    qToLittleEndian<quint32>(kTrailer, trailer);
    bytes.append(trailer, 4);
    return bytes;
}

std::optional<QString> parse(const QByteArray& bytes) {
    if (bytes.size() < kSize || std::memcmp(bytes.constData(), kHeader, kHeaderSize) != 0)
        return std::nullopt;
    // The name ends at its first zero byte, which must lie within the field.
    const QByteArray field = bytes.mid(kHeaderSize, kNameField);
    const qsizetype end = field.indexOf('\0');
    if (end < 0)
        return std::nullopt;
    const QString name = cp1251::decode(field.left(end));
    if (!acceptableName(name))
        return std::nullopt;
    if (qFromLittleEndian<quint32>(bytes.constData() + kHeaderSize + kNameField) != kTrailer)
        return std::nullopt;
    return name;
}

int write(const QString& path, const QString& portName) {
    const std::optional<QByteArray> bytes = build(portName);
    if (!bytes)
        return 1;
    // Unbuffered, with every count checked: a buffered QSaveFile (Qt 6.4) can
    // commit a cut-off write as a success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    const QByteArray& b = *bytes;
    const bool written = file.write(b.constData(), kHeaderSize) == kHeaderSize &&
                         file.write(b.constData() + kHeaderSize, kNameField) == kNameField &&
                         file.write(b.constData() + kHeaderSize + kNameField, 4) == 4 &&
                         file.size() == kSize;
    if (!written) {
        file.cancelWriting();
        return 1;
    }
#ifdef Q_OS_WIN
    setHidden(path, false); // a hidden file would refuse to be replaced
#endif
    if (!file.commit())
        return 1;
#ifdef Q_OS_WIN
    setHidden(path, true);
#endif
    return 0;
}

int read(const QString& path, QString& portName) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.read(kSize);
    if (file.error() != QFileDevice::NoError)
        return 1;
    const std::optional<QString> name = parse(bytes);
    if (!name)
        return 1;
    portName = *name;
    return 0;
}

} // namespace settings_file
