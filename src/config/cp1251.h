#pragma once
// Conversion between QString and single-byte code page 1251 text, the encoding
// of every text in the image, in files and on the wire. A fixed table keeps the
// conversion identical on every platform, whatever codecs Qt was built with.
#include <QByteArray>
#include <QString>

namespace cp1251 {

// Characters without a cp1251 form become '?', so a field never receives a
// multi-byte sequence or a stray byte.
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype length);
QChar toUnicode(unsigned char byte);
// Returns false when the character has no cp1251 form.
bool fromUnicode(QChar ch, unsigned char& byte);

} // namespace cp1251
