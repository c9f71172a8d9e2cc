#pragma once
// How the live values are written for the user: the texts and gauge positions
// of the status displays, free of any widget so they can be checked alone.
// Decimal and thousands separators are those of `locale` (the system's).
#include <QColor>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// GSM state text for the state byte: entries 0..10 of `texts`, entry 11 for
// every higher value.
QString GsmStateText(const QStringList& texts, int state);

// "Баланс лицевого счета: 1 234,50": seven significant digits, two decimals,
// thousands separators; empty when the balance is not valid.
QString BalanceText(bool valid, float value, const QLocale& locale = QLocale::system());

struct BatteryDisplay {
    QString percent; // Label17
    int bar = 0;     // ProgressBarBatCharge
    QString message; // LabelBatMsg
};
BatteryDisplay BatteryDisplayFor(std::uint8_t value);

struct SupplyDisplay {
    QString text; // LabelMainPower: volts with one decimal and " В"
    int bar = 0;  // ProgressBarMainPower, 0..165
};
SupplyDisplay SupplyDisplayFor(std::uint8_t deciVolts, const QLocale& locale = QLocale::system());

struct TemperatureDisplay {
    QString caption;         // LabelTemperature
    bool barVisible = false; // ProgressBarModemTemperature shown
    int bar = 0;
    QString value; // LabelTempCurVal: "-12° C", or empty
};
TemperatureDisplay TemperatureDisplayFor(bool valid, std::int8_t degrees);

// Controller clock bytes (year, month, day, hour, minute, second) as
// "dd.mm.yy hh:mm:ss"; each byte is its tens then its units.
QString ControllerTimeText(const std::array<std::uint8_t, 6>& clock);
// The PC clock in the same form.
QString PcTimeText(const QDateTime& now);

// Perimeter modes: the two bits of perimeter p (1..4) of the modes byte.
int PerimeterMode(std::uint8_t modes, int p);
QString PerimeterModeText(int mode);

// Colours of the indicators.
QColor ActiveColour();   // bright green: an active input or output
QColor InactiveColour(); // dark green
QColor WarningColour();  // pure red
QColor ButtonFaceColour();
