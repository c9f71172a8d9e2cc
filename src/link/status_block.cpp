#include "link/status_block.h"

#include <QLocale>
#include <cstring>

StatusBlock StatusBlock::parse(const std::uint8_t* b) {
    StatusBlock s;
    std::memcpy(s.clock.data(), b, 6);
    for (int n = 0; n < 16; ++n)
        s.inputValues[n] = static_cast<std::uint16_t>(b[6 + 2 * n] | (b[7 + 2 * n] << 8));
    s.supply = b[38];
    s.battery = b[40];
    s.signal = b[41] & 0x1F;
    s.inputValuesValidA = (b[41] >> 5) & 1u;
    s.inputValuesValidB = (b[41] >> 6) & 1u;
    s.perimeterModes = b[42];
    s.temperatureValid = b[43] & 1u;
    s.balanceValid = (b[43] >> 1) & 1u;
    s.inputStates = static_cast<std::uint16_t>(b[44] | (b[45] << 8));
    s.outputStates = b[46];
    s.gsmState = b[47];
    s.temperature = static_cast<std::int8_t>(b[48]);
    std::uint32_t raw = std::uint32_t(b[52]) | std::uint32_t(b[53]) << 8 |
                        std::uint32_t(b[54]) << 16 | std::uint32_t(b[55]) << 24;
    std::memcpy(&s.balance, &raw, sizeof s.balance);
    return s;
}

namespace status_text {

QString perimeterMode(int mode) {
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

int gsmStateIndex(std::uint8_t state) {
    return state >= 11 ? 11 : state;
}

QString temperature(int t) {
    return QString::number(t) + QStringLiteral("° C");
}

int batteryPercent(std::uint8_t battery) {
    return battery <= 100 ? battery : 0;
}

QString batteryMessage(std::uint8_t battery) {
    if (battery <= 100)
        return QStringLiteral("\nАккумулятор подключен");
    if (battery == 254)
        return QStringLiteral("Тестирование АКБ,\nподождите (не более 1 мин.)");
    return QStringLiteral("\nАккумулятор не подключен");
}

QString supply(std::uint8_t tenths) {
    const int v = tenths < 5 ? 0 : tenths;
    return QLocale().toString(v / 10.0, 'f', 1) + QStringLiteral(" В");
}

QString balance(float value) {
    // Seven significant digits (what a float carries), then two decimals.
    const double rounded = QString::number(static_cast<double>(value), 'g', 7).toDouble();
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return QStringLiteral("Баланс лицевого счета: ") + locale.toString(rounded, 'f', 2);
}

QString controllerTime(const std::array<std::uint8_t, 6>& c) {
    const auto two = [](std::uint8_t v) {
        return QString::number(v / 10) + QString::number(v % 10);
    };
    return two(c[2]) + '.' + two(c[1]) + '.' + two(c[0]) + ' ' + two(c[3]) + ':' + two(c[4]) + ':' +
           two(c[5]);
}

} // namespace status_text
