// The live values as the controller sends them and as the user reads them:
// the status and key code blocks, and the texts and gauges of each display.
#include "monitor/status_block.h"
#include "monitor/status_format.h"
#include "pages/ui_texts.h"

#include "support/qt_print.h"
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

namespace {

StatusBlock blockWith(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
    StatusBlock b;
    for (const auto& [at, v] : bytes)
        b.bytes[static_cast<std::size_t>(at)] = v;
    return b;
}

const QLocale kC(QLocale::C);
const QLocale kRussian(QLocale::Russian, QLocale::Russia);

} // namespace

TEST(StatusBlock, FieldsAtTheirOffsets) {
    QByteArray raw(56, '\0');
    for (int n = 1; n <= 16; ++n)
        qToLittleEndian<quint16>(static_cast<quint16>(1000 + n), raw.data() + 2 * n + 4);
    raw[38] = char(125);
    raw[40] = char(87);
    raw[41] = char(0x20 | 19);
    raw[42] = char(0x06);
    raw[43] = char(0x03);
    qToLittleEndian<quint16>(0x8001, raw.data() + 44);
    raw[46] = char(0x42);
    raw[47] = char(8);
    raw[48] = char(0xF4);
    const float balance = -12.5f;
    std::memcpy(raw.data() + 52, &balance, 4);

    const StatusBlock b = StatusBlock::fromBytes(raw);
    EXPECT_EQ(b.inputValue(1), 1001);  // offset 6
    EXPECT_EQ(b.inputValue(16), 1016); // offset 36
    EXPECT_EQ(b.inputValue(0), 0);     // outside 1..16
    EXPECT_EQ(b.supply(), 125);
    EXPECT_EQ(b.battery(), 87);
    EXPECT_EQ(b.signalLevel(), 19);
    EXPECT_EQ(b.perimeterModes(), 0x06);
    EXPECT_TRUE(b.temperatureValid());
    EXPECT_TRUE(b.balanceValid());
    EXPECT_EQ(b.inputStates(), 0x8001);
    EXPECT_EQ(b.outputStates(), 0x42);
    EXPECT_EQ(b.gsmState(), 8);
    EXPECT_EQ(b.temperature(), -12);
    EXPECT_EQ(b.balance(), -12.5f);
}

TEST(StatusBlock, InputValuesValidity) {
    struct Case {
        std::uint8_t flags, battery;
        bool valid;
    };
    const Case cases[] = {
        {0x40, 0, false}, // bit 6 needs a non-zero battery byte
        {0x40, 1, true},    {0x20, 0, true},    {0x60, 0, true},
        {0x00, 100, false}, {0x1F, 100, false}, // signal bits alone say nothing
    };
    for (const Case& c : cases) {
        const StatusBlock b = blockWith({{41, c.flags}, {40, c.battery}});
        EXPECT_EQ(b.inputValuesValid(), c.valid)
            << "flags " << int(c.flags) << " battery " << int(c.battery);
    }
}

TEST(KeyCodeBlock, CodeAndPresence) {
    const QByteArray raw = QByteArray::fromHex("01a2b3c4d5e6f708"
                                               "03"
                                               "ffffff");
    const KeyCodeBlock k = KeyCodeBlock::fromBytes(raw);
    EXPECT_EQ(k.code(), "01A2B3C4D5E6F708");
    EXPECT_TRUE(k.keyPresent());
    for (std::uint8_t flags : {0x00, 0x01, 0x02, 0xFC}) {
        KeyCodeBlock partial = k;
        partial.bytes[8] = flags;
        EXPECT_FALSE(partial.keyPresent()) << int(flags);
    }
}

TEST(StatusFormat, GsmStateTexts) {
    const QStringList texts = UiTexts::russian().GsmStateTexts;
    EXPECT_EQ(GsmStateText(texts, 8), "Зарегистрирован в домашней сети");
    EXPECT_EQ(GsmStateText(texts, 0), "Инициализация модема");
    for (int state : {11, 12, 200, 255})
        EXPECT_EQ(GsmStateText(texts, state), "Неизвестное состояние GSM модуля") << state;
}

TEST(StatusFormat, Balance) {
    EXPECT_EQ(BalanceText(false, 152.4f, kC), "");
    EXPECT_EQ(BalanceText(true, 152.4f, kC), "Баланс лицевого счета: 152.40");
    EXPECT_EQ(BalanceText(true, -3.5f, kC), "Баланс лицевого счета: -3.50");
    EXPECT_EQ(BalanceText(true, 0.0f, kC), "Баланс лицевого счета: 0.00");
    // Seven significant digits, then two decimals with group separators.
    EXPECT_EQ(BalanceText(true, 1234567.89f, kC), "Баланс лицевого счета: 1,234,568.00");
    EXPECT_EQ(BalanceText(true, 12345.678f, kC), "Баланс лицевого счета: 12,345.68");
    // The system's separators: Russian groups with a no-break space and a comma.
    EXPECT_EQ(BalanceText(true, 12345.678f, kRussian),
              QStringLiteral("Баланс лицевого счета: 12\u00A0345,68"));
}

TEST(StatusFormat, Battery) {
    struct Case {
        std::uint8_t value;
        const char* percent;
        int bar;
        const char* message;
    };
    const Case cases[] = {
        {0, "0%", 0, "\nАккумулятор подключен"},
        {55, "55%", 55, "\nАккумулятор подключен"},
        {100, "100%", 100, "\nАккумулятор подключен"},
        {101, "0%", 0, "\nАккумулятор не подключен"},
        {254, "0%", 0, "Тестирование АКБ,\nподождите (не более 1 мин.)"},
        {255, "0%", 0, "\nАккумулятор не подключен"},
    };
    for (const Case& c : cases) {
        const BatteryDisplay d = BatteryDisplayFor(c.value);
        EXPECT_EQ(d.percent, QString::fromUtf8(c.percent)) << int(c.value);
        EXPECT_EQ(d.bar, c.bar) << int(c.value);
        EXPECT_EQ(d.message, QString::fromUtf8(c.message)) << int(c.value);
    }
}

TEST(StatusFormat, MainSupply) {
    EXPECT_EQ(SupplyDisplayFor(4, kC).text, "0.0 В"); // below 5 counts as 0
    EXPECT_EQ(SupplyDisplayFor(4, kC).bar, 0);
    EXPECT_EQ(SupplyDisplayFor(5, kC).text, "0.5 В");
    EXPECT_EQ(SupplyDisplayFor(125, kC).text, "12.5 В");
    EXPECT_EQ(SupplyDisplayFor(125, kC).bar, 125);
    EXPECT_EQ(SupplyDisplayFor(125, kRussian).text, "12,5 В");
    // The gauge ends at 16.5 V; the text still tells the value.
    EXPECT_EQ(SupplyDisplayFor(200, kC).text, "20.0 В");
    EXPECT_EQ(SupplyDisplayFor(200, kC).bar, 165);
}

TEST(StatusFormat, Temperature) {
    const TemperatureDisplay cold = TemperatureDisplayFor(true, static_cast<std::int8_t>(0xF4));
    EXPECT_EQ(cold.caption, "Текущее значение");
    EXPECT_TRUE(cold.barVisible);
    EXPECT_EQ(cold.bar, -12);
    EXPECT_EQ(cold.value, "-12° C");
    EXPECT_EQ(TemperatureDisplayFor(true, 24).value, "24° C");

    const TemperatureDisplay none = TemperatureDisplayFor(false, 24);
    EXPECT_EQ(none.caption, "Текущее значение температуры не доступно");
    EXPECT_FALSE(none.barVisible);
    EXPECT_EQ(none.value, "");
}

TEST(StatusFormat, ControllerAndPcTime) {
    EXPECT_EQ(ControllerTimeText({16, 3, 9, 14, 5, 0}), "09.03.16 14:05:00");
    EXPECT_EQ(ControllerTimeText({0, 12, 31, 23, 59, 59}), "31.12.00 23:59:59");
    // A byte above 99 keeps its tens whole: 123 is written 12 and 3.
    EXPECT_EQ(ControllerTimeText({123, 1, 1, 0, 0, 0}), "01.01.123 00:00:00");
    EXPECT_EQ(PcTimeText(QDateTime(QDate(2024, 2, 7), QTime(8, 5, 3))), "07.02.24 08:05:03");
}

TEST(StatusFormat, PerimeterModes) {
    EXPECT_EQ(PerimeterMode(0x06, 1), 2);
    EXPECT_EQ(PerimeterMode(0x06, 2), 1);
    EXPECT_EQ(PerimeterMode(0x06, 3), 0);
    EXPECT_EQ(PerimeterMode(0xC0, 4), 3);
    EXPECT_EQ(PerimeterModeText(0), "НАБЛЮДЕНИЕ");
    EXPECT_EQ(PerimeterModeText(1), "Смена режима");
    EXPECT_EQ(PerimeterModeText(2), "ОХРАНА");
    EXPECT_EQ(PerimeterModeText(3), "");
}
