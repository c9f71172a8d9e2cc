// The main status page on real widgets: preparation, every display operation
// of the live values, the payload of every command button, the support
// e-mail, and the live fields the monitoring fills on the other pages.
#include "monitor/indicator.h"
#include "monitor/live_displays.h"
#include "monitor/main_status_page.h"
#include "monitor/monitor_display.h"
#include "monitor/status_format.h"
#include "pages/identification_group.h"
#include "pages/ui_texts.h"
#include "widgets/mask_edit.h"

#include "support/qt_print.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrlQuery>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class StatusPage : public ::testing::Test {
protected:
    StatusPage() : page(texts) {
        page.resize(716, 500);
        page.show();
    }
    // The payloads of the commands the page asked for, as hex.
    QStringList requested(const std::function<void()>& act) {
        QStringList out;
        auto c = QObject::connect(&page, &MainStatusPage::commandRequested,
                                  [&out](const ControlCommand& cmd) {
                                      out << QString::fromLatin1(cmd.payload().toHex(' '));
                                  });
        act();
        QObject::disconnect(c);
        return out;
    }
    UiTexts texts = UiTexts::russian();
    MainStatusPage page;
};

DeviceIdentity sampleIdentity() {
    DeviceIdentity id;
    id.deviceName = "RZN460";
    id.modification = "KL+T407";
    id.hardware = "14.01";
    id.firmware = "01.02";
    id.loader = "01.05";
    id.date = "Mar 15 2016";
    id.countryCode = "RUS";
    id.boundId = BoundIdPlaceholder();
    id.imei = "356938035643809";
    id.uniqueId = "0000001604 0000002201\r\n 0000000077 0000000460";
    return id;
}

} // namespace

TEST_F(StatusPage, PreparationFillsTheTestListsAndShowsTheFullController) {
    texts.OutputNames[6] = "Output 5"; // a language file may replace entries
    texts.OutputActionNames[16] = "scenario 14";
    page.ComboBoxTestOut->setCurrentIndex(3);
    page.ActionName->setText("old");
    page.prepare(0);

    ASSERT_EQ(page.ComboBoxTestOut->count(), 7);
    EXPECT_EQ(page.ComboBoxTestOut->itemText(0), "Реле 1");
    EXPECT_EQ(page.ComboBoxTestOut->itemText(6), "Output 5");
    EXPECT_EQ(page.ComboBoxTestOut->currentIndex(), 0);
    ASSERT_EQ(page.ComboBoxTestScen->count(), 14);
    EXPECT_EQ(page.ComboBoxTestScen->itemText(0), "сценарий 1");
    EXPECT_EQ(page.ComboBoxTestScen->itemText(13), "scenario 14");
    EXPECT_EQ(page.ComboBoxTestScen->currentIndex(), 0);
    EXPECT_EQ(page.ActionName->text(), "");

    for (const char* name :
         {"PanelLed13", "PanelLed16", "Label214", "Label217", "Button34", "Button38", "Button40",
          "PanelOut5", "PanelOut7", "Label125", "Label127", "Button12", "Button17",
          "ComboBoxSelectedPerim", "Button23", "Button24", "Button21", "CheckBoxClearSaveArea"}) {
        auto* w = page.findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isVisible()) << name;
    }
    // The second arm/disarm pair and "Защита" exist but stay hidden.
    EXPECT_FALSE(page.GroupBoxMode->isVisible());
    EXPECT_NE(page.findChild<QPushButton*>("Button22"), nullptr);
    EXPECT_EQ(page.findChild<QLabel*>("Label214")->text(), "13");
    EXPECT_EQ(page.findChild<QLabel*>("Label217")->text(), "16");
}

TEST_F(StatusPage, PerimeterModesWithTheBlinkingChange) {
    const QColor face = ButtonFaceColour();
    const QColor red(255, 0, 0);
    auto text = [this](int p) { return page.PanelPArmDisarmStatus[p - 1]->text(); };
    auto colour = [this](int p) { return indicatorColour(page.PanelPArmDisarmStatus[p - 1]); };

    page.showPerimeterModes(0x06);
    EXPECT_EQ(text(1), "ОХРАНА");
    EXPECT_EQ(colour(1), red);
    EXPECT_EQ(text(2), "Смена режима");
    EXPECT_EQ(colour(2), red);
    EXPECT_EQ(text(3), "НАБЛЮДЕНИЕ");
    EXPECT_EQ(colour(3), face);
    EXPECT_EQ(text(4), "НАБЛЮДЕНИЕ");
    // "Смена режима" alternates each time it is shown; the others hold.
    page.showPerimeterModes(0x06);
    EXPECT_EQ(colour(2), face);
    EXPECT_EQ(colour(1), red);
    page.showPerimeterModes(0x06);
    EXPECT_EQ(colour(2), red);

    // A failed read (0xFF) empties all four.
    page.showPerimeterModes(0xFF);
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(text(p), "") << p;
        EXPECT_EQ(colour(p), face) << p;
    }
}

TEST_F(StatusPage, InputAndOutputLamps) {
    const QColor on(0, 255, 0), off(0, 128, 0);
    page.showInputStates(0x8101);
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(indicatorColour(page.PanelLed[n - 1]), (n == 1 || n == 9 || n == 16) ? on : off)
            << "input " << n;
    page.showOutputStates(0x42); // relay 2 and output 5
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(indicatorColour(page.PanelOut[n - 1]), (n == 2 || n == 7) ? on : off)
            << "output " << n;
    page.showInputStates(0);
    page.showOutputStates(0);
    EXPECT_EQ(indicatorColour(page.PanelLed[0]), off);
    EXPECT_EQ(indicatorColour(page.PanelOut[1]), off);
}

TEST_F(StatusPage, GsmSignalAndBalance) {
    page.showSignalLevel(0xFF); // only bits 0..4 count
    EXPECT_EQ(page.ProgressBarSignalQuality->value(), 31);
    page.showSignalLevel(0x20 | 12);
    EXPECT_EQ(page.ProgressBarSignalQuality->value(), 12);
    page.showGsmState(texts.GsmStateTexts, 200);
    EXPECT_EQ(page.LabelGSMState->text(), "Неизвестное состояние GSM модуля");
    page.clearGsmState();
    EXPECT_EQ(page.LabelGSMState->text(), "");
    page.showBalance(true, 152.4f);
    EXPECT_EQ(page.LabelBalans->text(), BalanceText(true, 152.4f));
    EXPECT_TRUE(page.LabelBalans->text().startsWith("Баланс лицевого счета: 152"));
    page.showBalance(false, 152.4f);
    EXPECT_EQ(page.LabelBalans->text(), "");
}

TEST_F(StatusPage, EveryCommandButtonAsksForItsPayload) {
    // "Вкл." and "Выкл." of each output row: 02, the row's index, 01 or 02.
    const char* on[7] = {"Button4",  "Button6",  "Button8", "Button10",
                         "Button12", "Button14", "Button16"};
    const char* off[7] = {"Button5",  "Button7",  "Button9", "Button11",
                          "Button13", "Button15", "Button17"};
    for (int row = 0; row < 7; ++row) {
        auto* bOn = page.findChild<QPushButton*>(on[row]);
        auto* bOff = page.findChild<QPushButton*>(off[row]);
        ASSERT_NE(bOn, nullptr);
        ASSERT_NE(bOff, nullptr);
        EXPECT_EQ(bOn->text(), "Вкл.");
        EXPECT_EQ(bOn->toolTip(), "Включить исполнительное устройство");
        EXPECT_EQ(bOff->text(), "Выкл.");
        EXPECT_EQ(bOff->toolTip(), "Выключить исполнительное устройство");
        EXPECT_EQ(requested([&] { bOn->click(); }),
                  QStringList{QStringLiteral("02 %1 01").arg(row, 2, 10, QLatin1Char('0'))});
        EXPECT_EQ(requested([&] { bOff->click(); }),
                  QStringList{QStringLiteral("02 %1 02").arg(row, 2, 10, QLatin1Char('0'))});
    }
    // The input-simulation button under input n: 04, n-1, 00.
    for (int n = 1; n <= 16; ++n) {
        auto* b = page.findChild<QPushButton*>(QStringLiteral("Button%1").arg(24 + n));
        ASSERT_NE(b, nullptr) << n;
        EXPECT_EQ(b->toolTip(), "Имитировать активизацию входа");
        EXPECT_EQ(requested([&] { b->click(); }),
                  QStringList{QStringLiteral("04 %1 00").arg(n - 1, 2, 16, QLatin1Char('0'))});
    }

    struct Case {
        int out, scen, perim;
        const char* button;
        const char* payload;
    };
    const Case cases[] = {
        {1, 13, 0, "Button20", "02 01 10"}, // relay 2, scenario 14
        {6, 0, 0, "Button20", "02 06 03"},  // output 5, scenario 1
        {0, 0, 2, "Button23", "00 02 00"},  // "Охрана", perimeter 3
        {0, 0, 3, "Button24", "01 03 00"},  // "Наблюдение", perimeter 4
        {0, 0, 1, "Button18", "00 01 00"},  // the hidden pair shares the handlers
        {0, 0, 1, "Button19", "01 01 00"},  {0, 0, 0, "Button22", "03 00 00"}, // "Защита"
    };
    for (const Case& c : cases) {
        page.ComboBoxTestOut->setCurrentIndex(c.out);
        page.ComboBoxTestScen->setCurrentIndex(c.scen);
        page.ComboBoxSelectedPerim->setCurrentIndex(c.perim);
        auto* b = page.findChild<QPushButton*>(c.button);
        ASSERT_NE(b, nullptr) << c.button;
        EXPECT_EQ(requested([&] { b->click(); }), QStringList{c.payload}) << c.button;
    }
    EXPECT_EQ(page.ComboBoxSelectedPerim->itemText(3), "Периметр 4");
}

namespace {
// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl& url) { urls.append(url); }
    QList<QUrl> urls;
};
} // namespace

TEST_F(StatusPage, SupportMailCarriesTheIdentification) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    const QList<QUrl>& opened = catcher.urls;

    page.findChild<QPushButton*>("Button21")->click();
    page.showIdentification(sampleIdentity());
    page.findChild<QPushButton*>("Button21")->click();
    QDesktopServices::unsetUrlHandler("mailto");

    ASSERT_EQ(opened.size(), 2);
    const auto subject = [](const QUrl& u) {
        return QUrlQuery(u).queryItemValue("subject", QUrl::FullyDecoded);
    };
    EXPECT_EQ(opened[0].scheme(), "mailto");
    EXPECT_EQ(opened[0].path(), MainStatusPage::supportAddress());
    EXPECT_EQ(subject(opened[0]), "RZN460, нет информации о версии устройства");
    EXPECT_EQ(subject(opened[1]),
              "RZN460-KL+T407-h14.01-s01.02-Mar 15 2016-RUS-d01.05-IDi:0000001604 "
              "0000002201\r\n 0000000077 0000000460-IMEI:356938035643809");
    // '+' must reach the mail program as '+', not as a blank.
    EXPECT_TRUE(opened[1].toString(QUrl::FullyEncoded).contains("KL%2BT407"));
}

TEST_F(StatusPage, ActionLineShowsTextInItsColour) {
    page.showAction("Данные считаны", QColor(Qt::blue));
    EXPECT_EQ(page.ActionName->text(), "Данные считаны");
    EXPECT_EQ(page.ActionName->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(page.ActionName->font().bold());
    EXPECT_TRUE(page.ActionName->wordWrap());
}

namespace {

// Stand-ins for the pages whose live fields the monitoring fills: only the
// named controls and the invokable operations those pages offer.
class LivePanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool EditingControllerTime MEMBER editing)
public:
    LivePanel() {
        const auto label = [this](const char* name) {
            auto* l = new QLabel(this);
            l->setObjectName(name);
            return l;
        };
        const auto bar = [this](const char* name, int lo, int hi) {
            auto* b = new QProgressBar(this);
            b->setObjectName(name);
            b->setRange(lo, hi);
            return b;
        };
        for (const char* n : {"Label17", "LabelBatMsg", "LabelMainPower", "LabelTemperature",
                              "LabelTempCurVal", "Label163", "LabelPerimetersActionDiscription"})
            label(n);
        bar("ProgressBarBatCharge", 0, 100);
        bar("ProgressBarMainPower", 0, 165);
        bar("ProgressBarModemTemperature", -40, 90);
        bar("ProgressBarCurrentVal", 0, 4095);
        for (const char* n : {"MaskEditPCCurTime", "MaskEditContrCurTime"}) {
            auto* e = new MaskEdit(QStringLiteral("!99/99/99 99:99:99;1; "), this);
            e->setObjectName(n);
        }
    }
    Q_INVOKABLE void AddCapturedKey(const QString& code) { keys << code; }
    Q_INVOKABLE void UpdateInputReadout(bool first) { readouts << first; }
    Q_INVOKABLE void UpdateActiveZoneColour(bool first) { zoneColours << first; }

    template <typename T> T* get(const char* name) { return findChild<T*>(name); }
    QString text(const char* name) { return get<QLabel>(name)->text(); }

    bool editing = false;
    QStringList keys;
    QList<bool> readouts, zoneColours;
};

StatusBlock powerBlock(std::uint8_t battery, std::uint8_t supply, bool tempValid, std::int8_t t) {
    StatusBlock b;
    b.bytes[40] = battery;
    b.bytes[38] = supply;
    b.bytes[43] = tempValid ? 1 : 0;
    b.bytes[48] = static_cast<std::uint8_t>(t);
    return b;
}

} // namespace

class LiveFields : public StatusPage {
protected:
    LiveFields() {
        MonitorWindowHooks hooks;
        hooks.page = [this](int p) -> QWidget* {
            return p == 14              ? &clock
                   : p == 15            ? &power
                   : p >= 16 && p <= 19 ? &perimeter
                   : p >= 21 && p <= 36 ? &input
                                        : nullptr;
        };
        hooks.setStatusPanel = [this](int i, const QString& t) { panels[i] = t; };
        hooks.shownPage = [this] { return shown; };
        hooks.password = [] { return QByteArray("abc"); };
        display = std::make_unique<MonitorDisplay>(&page, std::move(hooks));
    }
    LivePanel clock, power, perimeter, input;
    QMap<int, QString> panels;
    int shown = 0;
    std::unique_ptr<MonitorDisplay> display;
};

TEST_F(LiveFields, PowerPage) {
    display->showPower(powerBlock(254, 4, true, -12));
    EXPECT_EQ(power.text("Label17"), "0%");
    EXPECT_EQ(power.text("LabelBatMsg"), "Тестирование АКБ,\nподождите (не более 1 мин.)");
    EXPECT_EQ(power.get<QProgressBar>("ProgressBarMainPower")->value(), 0);
    EXPECT_EQ(power.text("LabelMainPower"), SupplyDisplayFor(0).text);
    EXPECT_EQ(power.text("LabelTempCurVal"), "-12° C");
    EXPECT_EQ(power.get<QProgressBar>("ProgressBarModemTemperature")->value(), -12);

    display->showPower(powerBlock(80, 200, false, 0));
    EXPECT_EQ(power.text("Label17"), "80%");
    EXPECT_EQ(power.get<QProgressBar>("ProgressBarBatCharge")->value(), 80);
    EXPECT_EQ(power.get<QProgressBar>("ProgressBarMainPower")->value(), 165); // clamped
    EXPECT_EQ(power.text("LabelTemperature"), "Текущее значение температуры не доступно");
    EXPECT_TRUE(power.get<QProgressBar>("ProgressBarModemTemperature")->isHidden());
    EXPECT_EQ(power.text("LabelTempCurVal"), "");

    // A failed read shows zeroes, with the battery connected.
    display->showPowerFailed();
    EXPECT_EQ(power.text("Label17"), "0%");
    EXPECT_EQ(power.text("LabelBatMsg"), "\nАккумулятор подключен");
    EXPECT_EQ(power.get<QProgressBar>("ProgressBarMainPower")->value(), 0);
}

TEST_F(LiveFields, ClockPageLeavesAnEditedControllerTimeAlone) {
    display->showControllerTime({16, 3, 9, 14, 5, 0});
    EXPECT_EQ(clock.get<MaskEdit>("MaskEditContrCurTime")->text(), "09.03.16 14:05:00");
    display->showPcTime();
    EXPECT_EQ(clock.get<MaskEdit>("MaskEditPCCurTime")->text().size(), 17);

    clock.editing = true;
    EXPECT_TRUE(display->editingControllerTime());
    display->showControllerTime({17, 4, 10, 15, 6, 1});
    EXPECT_EQ(clock.get<MaskEdit>("MaskEditContrCurTime")->text(), "09.03.16 14:05:00");
}

TEST_F(LiveFields, PerimeterPageKeyCapture) {
    display->showCapturedKey("01A2B3C4D5E6F708");
    EXPECT_EQ(perimeter.keys, QStringList{"01A2B3C4D5E6F708"});
    auto* indicator = perimeter.get<QLabel>("Label163");
    EXPECT_TRUE(indicator->autoFillBackground());
    EXPECT_EQ(indicatorColour(indicator), QColor(255, 0, 0));
    display->resetKeyIndicator();
    EXPECT_FALSE(indicator->autoFillBackground());
    EXPECT_EQ(indicatorColour(indicator), perimeter.palette().color(perimeter.backgroundRole()));
    display->showKeyPasswordRefused();
    EXPECT_EQ(perimeter.text("LabelPerimetersActionDiscription"),
              "Взаимодействие запрещено без указания пароля, программа не сможет получить код "
              "ключа");
    EXPECT_EQ(display->passwordPayload(), QByteArray("abc\0\0\0\0\0\0", 9));
}

TEST_F(LiveFields, InputPageReading) {
    shown = 24;
    display->showInputReading(4, 2345, true);
    EXPECT_EQ(input.get<QProgressBar>("ProgressBarCurrentVal")->value(), 2345);
    display->showInputReading(4, 2345, false);
    EXPECT_EQ(input.get<QProgressBar>("ProgressBarCurrentVal")->value(), 0);
    EXPECT_EQ(input.readouts, (QList<bool>{true, false}));
    EXPECT_EQ(input.zoneColours, (QList<bool>{true, false}));
    // A reading of input 4 arriving after the user moved to input 5 is dropped.
    shown = 25;
    display->showInputReading(4, 1000, true);
    EXPECT_EQ(input.get<QProgressBar>("ProgressBarCurrentVal")->value(), 0);
    EXPECT_EQ(input.readouts.size(), 2);
}

TEST_F(LiveFields, RootStatusAndItsFailure) {
    StatusBlock b = powerBlock(100, 128, true, 24);
    b.bytes[41] = 21;
    b.bytes[47] = 8;
    b.bytes[42] = 0x02;
    b.bytes[44] = 0x04;
    b.bytes[46] = 0x01;
    b.bytes[43] |= 0x02;
    const float balance = 99.5f;
    std::memcpy(b.bytes.data() + 52, &balance, 4);
    display->showRootStatus(b, texts.GsmStateTexts);
    EXPECT_EQ(page.LabelGSMState->text(), "Зарегистрирован в домашней сети");
    EXPECT_EQ(page.ProgressBarSignalQuality->value(), 21);
    EXPECT_EQ(page.PanelPArmDisarmStatus[0]->text(), "ОХРАНА");
    EXPECT_EQ(indicatorColour(page.PanelLed[2]), QColor(0, 255, 0));
    EXPECT_EQ(indicatorColour(page.PanelOut[0]), QColor(0, 255, 0));
    EXPECT_EQ(page.LabelBalans->text(), BalanceText(true, 99.5f));
    EXPECT_EQ(power.text("LabelTempCurVal"), "24° C"); // the temperature goes to page 15

    display->showRootStatusFailed();
    EXPECT_EQ(page.LabelGSMState->text(), "");
    EXPECT_EQ(page.ProgressBarSignalQuality->value(), 0);
    EXPECT_EQ(page.PanelPArmDisarmStatus[0]->text(), "");
    EXPECT_EQ(indicatorColour(page.PanelLed[2]), QColor(0, 128, 0));
    EXPECT_EQ(indicatorColour(page.PanelOut[0]), QColor(0, 128, 0));
    EXPECT_EQ(page.LabelBalans->text(), BalanceText(true, 99.5f)); // kept

    display->showIdentification(sampleIdentity());
    EXPECT_EQ(page.GroupBoxIdentification->iDeviceNameLabel->text(), "RZN460");
    EXPECT_EQ(panels.value(2), "KL+T407.01.02");
}

TEST(LiveDisplays, PanelsWithoutTheControlsAreLeftAlone) {
    QWidget bare;
    live::showBattery(&bare, 50);
    live::showTemperature(&bare, true, 20);
    live::showControllerTime(&bare, {1, 2, 3, 4, 5, 6});
    live::addCapturedKey(&bare, "0000000000000000");
    live::showInputReading(&bare, 1, true);
    live::showBattery(nullptr, 50);
    EXPECT_FALSE(live::editingControllerTime(nullptr));
    EXPECT_TRUE(bare.children().isEmpty());
}

#include "main_status_page_test.moc"
