#pragma once
// Lets GoogleTest print Qt strings readably in failure messages.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Streaming a QString into an assertion message.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{' << l.join(QStringLiteral("\", \"")).prepend('"').append('"').toStdString() << '}';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << "bytes(" << b.size() << ") " << b.left(64).toHex(' ').toStdString();
}
