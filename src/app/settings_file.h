#pragma once
// The program settings file "RZNConfig.cfg": 24 bytes that carry the port name
// from one run to the next. "[RZNProgCfg]", the port name in an 8-byte
// zero-filled field (at most 7 characters), the value 0x20B84286 little-endian.
#include <QByteArray>
#include <QString>
#include <optional>

namespace settings_file {

constexpr int kSize = 24;
constexpr int kNameField = 8;
constexpr int kMaxNameChars = 7;
constexpr quint32 kTrailer = 0x20B84286;

QString fileName(); // "RZNConfig.cfg"

// A port name as the file can carry it: on Linux "/dev/ttyS0" becomes
// "ttyS0" (the port opens by either name); nullopt when the name does not fit
// the 7 characters or has characters the field cannot hold faithfully.
std::optional<QString> storableName(const QString& portName);
// Whether a name read from the file is taken: on Windows it must contain "C",
// "O" and "M", elsewhere it must be non-empty; never a control character.
bool acceptableName(const QString& name);

// The 24 bytes for `portName`; nullopt when the name cannot be stored.
std::optional<QByteArray> build(const QString& portName);
// The port name stored in `bytes`, or nullopt when they are not a valid file.
std::optional<QString> parse(const QByteArray& bytes);

// Writes `portName` to `path`, replacing the file as a whole (a failed write
// leaves the old file). 0: written; 1: not written (the name cannot be
// stored, or the file cannot be written).
int write(const QString& path, const QString& portName);
// 0 and `portName` set: a valid file; 1: missing, short or invalid file.
int read(const QString& path, QString& portName);

} // namespace settings_file
