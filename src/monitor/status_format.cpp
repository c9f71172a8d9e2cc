#include "monitor/status_format.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <cmath>

QString GsmStateText(const QStringList& texts, int state) {
    constexpr int kUnknown = 11;
    return texts.value(std::clamp(state, 0, kUnknown));
}

QString BalanceText(bool valid, float value, const QLocale& locale) {
    if (!valid)
        return QString();
    // Seven significant digits first (the precision of the controller's
    // 32-bit value), then two decimals with the group separators.
    double v = static_cast<double>(value);
    if (std::isfinite(v))
        v = QString::number(v, 'g', 7).toDouble();
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    return QStringLiteral("Баланс лицевого счета: ") + l.toString(v, 'f', 2);
}

BatteryDisplay BatteryDisplayFor(std::uint8_t value) {
    constexpr std::uint8_t kTesting = 254;
    if (value <= 100)
        return {QString::number(value) + QLatin1Char('%'), value,
                QStringLiteral("\nАккумулятор подключен")};
    if (value == kTesting)
        return {QStringLiteral("0%"), 0,
                QStringLiteral("Тестирование АКБ,\nподождите (не более 1 мин.)")};
    return {QStringLiteral("0%"), 0, QStringLiteral("\nАккумулятор не подключен")};
}

SupplyDisplay SupplyDisplayFor(std::uint8_t deciVolts, const QLocale& locale) {
    constexpr int kMaxBar = 165;
    const int v = deciVolts < 5 ? 0 : deciVolts;
    return {locale.toString(v / 10.0, 'f', 1) + QStringLiteral(" В"), std::min(v, kMaxBar)};
}

TemperatureDisplay TemperatureDisplayFor(bool valid, std::int8_t degrees) {
    if (!valid)
        return {QStringLiteral("Текущее значение температуры не доступно"), false, 0, QString()};
    return {QStringLiteral("Текущее значение"), true, degrees,
            QString::number(degrees) + QStringLiteral("° C")};
}

QString ControllerTimeText(const std::array<std::uint8_t, 6>& c) {
    const auto two = [](std::uint8_t b) {
        return QString::number(b / 10) + QString::number(b % 10);
    };
    // Received as year, month, day, hour, minute, second.
    return two(c[2]) + QLatin1Char('.') + two(c[1]) + QLatin1Char('.') + two(c[0]) +
           QLatin1Char(' ') + two(c[3]) + QLatin1Char(':') + two(c[4]) + QLatin1Char(':') +
           two(c[5]);
}

QString PcTimeText(const QDateTime& now) {
    return now.toString(QStringLiteral("dd.MM.yy hh:mm:ss"));
}

int PerimeterMode(std::uint8_t modes, int p) {
    return (modes >> (2 * (p - 1))) & 0x03;
}

QString PerimeterModeText(int mode) {
    switch (mode) {
    case 0:
        return QStringLiteral("НАБЛЮДЕНИЕ");
    case 1:
        return QStringLiteral("Смена режима");
    case 2:
        return QStringLiteral("ОХРАНА");
    default:
        return QString();
    }
}

QColor ActiveColour() {
    return QColor(0, 255, 0);
}

QColor InactiveColour() {
    return QColor(0, 128, 0);
}

QColor WarningColour() {
    return QColor(255, 0, 0);
}

QColor ButtonFaceColour() {
    return QApplication::palette().color(QPalette::Button);
}
