#include "pages/gprs_common_page.h"

#include "config/defaults.h"
#include "config/image_layout.h"
#include "pages/form_builder.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using form::make;

namespace {

constexpr std::size_t kApn = 2852, kUser = 2885, kPassword = 2902;
constexpr std::size_t kDns1 = 2920, kDns2 = 2924;
constexpr std::size_t kInputs = 2928, kModes = 2932, kEvents = 2933;
constexpr std::size_t kStrategy = 2934, kTries = 2935, kBlockTime = 2936, kDuration = 2937;
// Byte 40 of each server record carries the delivery time in bits 4..7.
constexpr std::size_t kDelivery[3] = {layout::kServerOffset + 40,
                                      layout::kServerOffset + layout::kServerSize + 40,
                                      layout::kServerOffset + 2 * layout::kServerSize + 40};

constexpr std::uint8_t kAlwaysConnected = 255;
constexpr std::uint8_t kOnEvent = 0;
enum Strategy { StrategyAlways = 0, StrategyPeriodic = 1, StrategyOnEvent = 2 };

const char* const kIpv4Mask = "!999\\.999\\.999\\.999;1; ";
const char* const kMinutesMask = "!9999\\ Мин.;1; ";

QString numbered(const char* prefix, int n) {
    return n == 1 ? QString::fromLatin1(prefix) : QString::fromLatin1(prefix) + QString::number(n);
}

QStringList minuteItems(int first, int last) {
    QStringList items;
    for (int k = first; k <= last; ++k)
        items << QStringLiteral("%1 Мин.").arg(k);
    return items;
}

unsigned minutesOf(const MaskEdit* edit) {
    return fieldtext::leadingNumber(fieldtext::trim(edit->maskedText()));
}

// Keeps a minutes edit within 5..1260; a value that is no multiple of 5 stays.
void limitMinutes(MaskEdit* edit) {
    const unsigned q = minutesOf(edit) / 5;
    if (q >= 253)
        edit->setMaskedText(QStringLiteral("1260"));
    else if (q == 0)
        edit->setMaskedText(QStringLiteral("5"));
}

} // namespace

const std::vector<FieldSpec>& GprsCommonPage::fieldSpecs() {
    static const std::vector<FieldSpec> specs = {
        // Access point texts are stored as typed, blanks included.
        textField("EditAPN", kApn, 33, TextCopy::Bounded, Trim::None),
        textField("EditGPRSUserName", kUser, 17, TextCopy::Bounded, Trim::None),
        textField("EditGPRSPassword", kPassword, 17, TextCopy::Bounded, Trim::None),
        customField("MaskEditDNS1", kDns1, 4),
        customField("MaskEditDNS2", kDns2, 4),
        triStateField("CheckBoxMaskGInput", kInputs),
        checkField("CheckBoxMaskGArm", kModes, 0),
        checkField("CheckBoxMaskGArm2", kModes, 1),
        checkField("CheckBoxMaskGArm3", kModes, 2),
        checkField("CheckBoxMaskGArm4", kModes, 3),
        checkField("CheckBoxMaskGDisarm", kModes, 4),
        checkField("CheckBoxMaskGDisarm2", kModes, 5),
        checkField("CheckBoxMaskGDisarm3", kModes, 6),
        checkField("CheckBoxMaskGDisarm4", kModes, 7),
        checkField("CheckBoxMaskGRestrictedArm", kEvents, 0),
        checkField("CheckBoxMaskGPwrBlcTermo", kEvents, 1),
        checkField("CheckBoxMaskGTest", kEvents, 2),
        checkField("CheckBoxMaskGProfile", kEvents, 4),
        // 255 always connected, 0 on event, else the period in 5-minute steps
        // taken from MaskEditConnectingPeriod_x5m.
        customField("ComboBoxGPRSConnectionStrategy", kStrategy, 1),
        customField("ComboBoxConnectingTryNum", kTries, 1, 0, 2),
        customField("ComboBoxPingPeriod_min", kTries, 1, 3, 7),
        customField("MaskEditBlockTimeAtConnFault_min", kBlockTime, 1),
        customField("ComboBoxOnlineTime_min", kDuration, 1, 0, 4),
        customField("ComboBoxGPRSTranspWaitTime", kDelivery[0], 1, 4, 7),
        customField("ComboBoxGPRSTranspWaitTime", kDelivery[1], 1, 4, 7),
        customField("ComboBoxGPRSTranspWaitTime", kDelivery[2], 1, 4, 7),
    };
    return specs;
}

std::uint8_t GprsCommonPage::minutesValue(const QString& text) {
    const unsigned q = fieldtext::leadingNumber(fieldtext::trim(text)) / 5;
    return static_cast<std::uint8_t>(q >= 253 ? 252 : q == 0 ? 1 : q);
}

GprsCommonPage::GprsCommonPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("PanelGPRSSharedPAr"), texts, parent) {
    auto* top = new QVBoxLayout(this);
    auto* title = form::label("LabelGPRSTitle", "Общие параметры GPRS");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    title->setFont(titleFont);
    top->addWidget(title);

    // Access point and DNS servers, side by side.
    auto* apnGroup = form::group("GroupBoxAPN", " Параметры APN ");
    EditAPN = make<LineEdit>("EditAPN");
    EditAPN->setMaxLength(32);
    EditGPRSUserName = make<LineEdit>("EditGPRSUserName");
    EditGPRSUserName->setMaxLength(16);
    EditGPRSPassword = make<LineEdit>("EditGPRSPassword");
    EditGPRSPassword->setMaxLength(16);
    auto* apn = new QGridLayout(apnGroup);
    apn->addWidget(form::label("LabelAPN", "Имя APN"), 0, 0);
    apn->addWidget(EditAPN, 0, 1);
    apn->addWidget(form::label("LabelGPRSUserName", "Логин"), 1, 0);
    apn->addWidget(EditGPRSUserName, 1, 1);
    apn->addWidget(form::label("LabelGPRSPassword", "Пароль"), 2, 0);
    apn->addWidget(EditGPRSPassword, 2, 1);
    apn->setColumnStretch(1, 1);

    auto* dnsGroup = form::group("GroupBoxDNS", " DNS серверы ");
    MaskEditDNS1 = make<MaskEdit>("MaskEditDNS1", QString::fromUtf8(kIpv4Mask));
    MaskEditDNS2 = make<MaskEdit>("MaskEditDNS2", QString::fromUtf8(kIpv4Mask));
    const int ipWidth = form::textWidth(MaskEditDNS1, 17);
    auto* dns = new QGridLayout(dnsGroup);
    form::addRow(dns, form::label("LabelDNS1", "Адрес первичного DNS сервера", true), MaskEditDNS1,
                 ipWidth);
    form::addRow(dns, form::label("LabelDNS2", "Адрес вторичного DNS сервера", true), MaskEditDNS2,
                 ipWidth);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(apnGroup, 1);
    row1->addWidget(dnsGroup, 1);
    top->addLayout(row1);

    // Connection strategy and timing.
    auto* connGroup = form::group("GroupBoxGPRSConnection", " Параметры подключения ");
    ComboBoxGPRSConnectionStrategy =
        make<SelectList>("ComboBoxGPRSConnectionStrategy",
                         QStringList{QStringLiteral("Всегда подключен к серверу"),
                                     QStringLiteral("Подключаться периодически или по событию"),
                                     QStringLiteral("Подключаться по событию")});
    ComboBoxPingPeriod_min = make<SelectList>("ComboBoxPingPeriod_min");
    ComboBoxConnectingTryNum = make<SelectList>("ComboBoxConnectingTryNum",
                                                QStringList{"1", "2", "3", "4", "5", "6", "7"});
    MaskEditBlockTimeAtConnFault_min =
        make<MaskEdit>("MaskEditBlockTimeAtConnFault_min", QString::fromUtf8(kMinutesMask));
    Label147 = form::label("Label147", "Период подключения к серверу, [5:1260] Мин.", true);
    MaskEditConnectingPeriod_x5m =
        make<MaskEdit>("MaskEditConnectingPeriod_x5m", QString::fromUtf8(kMinutesMask));
    Label146 = form::label("Label146", "Длительность соединения, [0:30] Мин.", true);
    ComboBoxOnlineTime_min = make<SelectList>("ComboBoxOnlineTime_min");
    Button41 = make<QPushButton>("Button41", QStringLiteral("Значения по умолчанию"));
    fillTimeLists();

    const int minutesWidth = form::textWidth(MaskEditConnectingPeriod_x5m, 11);
    auto* conn = new QGridLayout(connGroup);
    conn->addWidget(ComboBoxGPRSConnectionStrategy, 0, 0, 1, 2);
    form::addRow(conn, form::label("LabelPingPeriod", "Период PINGа, [1:30] Мин.", true),
                 ComboBoxPingPeriod_min, minutesWidth);
    form::addRow(conn, form::label("LabelConnectingTryNum", "Количество попыток подключения", true),
                 ComboBoxConnectingTryNum, minutesWidth);
    form::addRow(conn,
                 form::label("LabelBlockTime",
                             "При недоступности сервера, прекратить попытки подключения на "
                             "время, [5:1260] Мин.",
                             true),
                 MaskEditBlockTimeAtConnFault_min, minutesWidth);
    form::addRow(conn, Label147, MaskEditConnectingPeriod_x5m, minutesWidth);
    form::addRow(conn, Label146, ComboBoxOnlineTime_min, minutesWidth);
    conn->addWidget(Button41, conn->rowCount(), 0, 1, 2, Qt::AlignLeft);

    // Delivery time and sources.
    ComboBoxGPRSTranspWaitTime = make<SelectList>("ComboBoxGPRSTranspWaitTime", minuteItems(1, 16));
    auto* delivery = new QHBoxLayout;
    delivery->addWidget(form::label("LabelGPRSTranspWaitTime",
                                    "Снять данные с передачи, если не переданны за", true),
                        1);
    ComboBoxGPRSTranspWaitTime->setFixedWidth(minutesWidth);
    delivery->addWidget(ComboBoxGPRSTranspWaitTime);

    GroupBoxGPRSSources =
        form::group("GroupBoxGPRSSources", " Передавать сообщения от следующих источников ");
    auto* sources = new QGridLayout(GroupBoxGPRSSources);
    sources->setVerticalSpacing(2);
    for (int n = 1; n <= 16; ++n) {
        CheckBoxMaskGInput[n - 1] =
            make<TriStateBox>(qPrintable(QStringLiteral("CheckBoxMaskGInput%1").arg(n)),
                              QStringLiteral("Вх. %1").arg(n));
        sources->addWidget(CheckBoxMaskGInput[n - 1], (n - 1) / 4, (n - 1) % 4);
    }
    for (int p = 1; p <= 4; ++p) {
        CheckBoxMaskGArm[p - 1] = make<QCheckBox>(qPrintable(numbered("CheckBoxMaskGArm", p)),
                                                  QStringLiteral("ОХРАНА %1").arg(p));
        CheckBoxMaskGDisarm[p - 1] = make<QCheckBox>(qPrintable(numbered("CheckBoxMaskGDisarm", p)),
                                                     QStringLiteral("НАБЛЮДЕНИЕ %1").arg(p));
        sources->addWidget(CheckBoxMaskGArm[p - 1], 4 + (p - 1) / 2, 2 * ((p - 1) % 2), 1, 2);
        sources->addWidget(CheckBoxMaskGDisarm[p - 1], 6 + (p - 1) / 2, 2 * ((p - 1) % 2), 1, 2);
    }
    CheckBoxMaskGRestrictedArm =
        make<QCheckBox>("CheckBoxMaskGRestrictedArm", QStringLiteral("ЗАЩИТА"));
    CheckBoxMaskGPwrBlcTermo =
        make<QCheckBox>("CheckBoxMaskGPwrBlcTermo", QStringLiteral("Системные события"));
    CheckBoxMaskGTest =
        make<QCheckBox>("CheckBoxMaskGTest", QStringLiteral("Тестовое / инфо. сообщения"));
    CheckBoxMaskGProfile = make<QCheckBox>("CheckBoxMaskGProfile", QStringLiteral("Профиль"));
    sources->addWidget(CheckBoxMaskGRestrictedArm, 8, 0, 1, 2);
    sources->addWidget(CheckBoxMaskGProfile, 8, 2, 1, 2);
    sources->addWidget(CheckBoxMaskGPwrBlcTermo, 9, 0, 1, 4);
    sources->addWidget(CheckBoxMaskGTest, 10, 0, 1, 4);

    auto* left = new QVBoxLayout;
    left->addWidget(connGroup);
    left->addLayout(delivery);
    left->addStretch();
    auto* row2 = new QHBoxLayout;
    row2->addLayout(left, 1);
    row2->addWidget(GroupBoxGPRSSources, 1, Qt::AlignTop);
    top->addLayout(row2);
    top->addStretch();

    // Hidden in the window design; the page entry shows them.
    for (int n = 4; n < 16; ++n)
        shownOnEntry_.push_back(CheckBoxMaskGInput[n]);
    for (int p = 1; p < 4; ++p) {
        shownOnEntry_.push_back(CheckBoxMaskGArm[p]);
        shownOnEntry_.push_back(CheckBoxMaskGDisarm[p]);
    }
    shownOnEntry_.push_back(CheckBoxMaskGProfile);
    for (QWidget* w : shownOnEntry_)
        w->hide();

    connect(ComboBoxGPRSConnectionStrategy, &QComboBox::activated, this,
            &GprsCommonPage::ComboBoxGPRSConnectionStrategyChange);
    connect(MaskEditConnectingPeriod_x5m, &LineEdit::exited, this,
            &GprsCommonPage::MaskEditConnectingPeriod_x5mExit);
    connect(MaskEditBlockTimeAtConnFault_min, &LineEdit::exited, this,
            &GprsCommonPage::MaskEditBlockTimeAtConnFault_minExit);
    connect(Button41, &QPushButton::clicked, this, &GprsCommonPage::Button41Click);

    fields_ = std::make_unique<FieldTable>(this, fieldSpecs());
}

GprsCommonPage::~GprsCommonPage() = default;

void GprsCommonPage::fillTimeLists() {
    ComboBoxPingPeriod_min->setItems(minuteItems(1, 30)); // index k: k + 1 minutes
    ComboBoxOnlineTime_min->setItems(minuteItems(0, 30)); // index k: k minutes
}

void GprsCommonPage::prepare(int pageIndex) {
    (void)pageIndex;
    for (QWidget* w : shownOnEntry_)
        w->show();
    fillTimeLists();
}

void GprsCommonPage::storePage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    image_ = &image;
    fields_->store(image, 0);
    image.setIpv4(kDns1, fieldtext::ipv4FromMaskedText(MaskEditDNS1->maskedText()));
    image.setIpv4(kDns2, fieldtext::ipv4FromMaskedText(MaskEditDNS2->maskedText()));

    // An empty list (a value without an item was loaded) stores all ones.
    const int ping = ComboBoxPingPeriod_min->currentIndex();
    image.setBits(kTries, 3, 7, ping < 0 ? 0x1Fu : unsigned(ping + 1));
    const auto duration = static_cast<unsigned>(ComboBoxOnlineTime_min->currentIndex());
    switch (ComboBoxGPRSConnectionStrategy->currentIndex()) {
    case StrategyAlways:
        image.setU8(kStrategy, kAlwaysConnected);
        image.setBits(kDuration, 0, 4, 30);
        break;
    case StrategyOnEvent:
        image.setU8(kStrategy, kOnEvent);
        image.setBits(kDuration, 0, 4, duration);
        break;
    default:
        image.setU8(kStrategy, minutesValue(MaskEditConnectingPeriod_x5m->maskedText()));
        image.setBits(kDuration, 0, 4, duration);
        break;
    }
    image.setBits(kTries, 0, 2, unsigned(ComboBoxConnectingTryNum->currentIndex() + 1));
    image.setU8(kBlockTime, minutesValue(MaskEditBlockTimeAtConnFault_min->maskedText()));
    for (std::size_t off : kDelivery)
        image.setBits(off, 4, 7, static_cast<unsigned>(ComboBoxGPRSTranspWaitTime->currentIndex()));
}

void GprsCommonPage::loadPage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    image_ = &image;
    fields_->load(image, 0);
    MaskEditDNS1->setMaskedText(image.ipv4Text(kDns1));
    MaskEditDNS2->setMaskedText(image.ipv4Text(kDns2));

    const std::uint8_t strategy = image.u8(kStrategy);
    ComboBoxGPRSConnectionStrategy->selectIndex(strategy == kOnEvent           ? StrategyOnEvent
                                                : strategy == kAlwaysConnected ? StrategyAlways
                                                                               : StrategyPeriodic);
    MaskEditConnectingPeriod_x5m->setMaskedText(QString::number(5 * strategy));
    const unsigned tries = image.bits(kTries, 0, 2);
    ComboBoxConnectingTryNum->selectIndex(tries == 0 ? 0 : int(tries) - 1);
    MaskEditBlockTimeAtConnFault_min->setMaskedText(QString::number(5 * image.u8(kBlockTime)));
    const unsigned ping = image.bits(kTries, 3, 7);
    ComboBoxPingPeriod_min->selectIndex(ping == 0 ? 0 : int(ping) - 1);
    ComboBoxOnlineTime_min->selectIndex(image.bits(kDuration, 0, 4));
    ComboBoxGPRSConnectionStrategyChange();
    ComboBoxGPRSTranspWaitTime->selectIndex(image.bits(kDelivery[0], 4, 7));
}

void GprsCommonPage::ComboBoxGPRSConnectionStrategyChange() {
    const int strategy = ComboBoxGPRSConnectionStrategy->currentIndex();
    const bool periodic = strategy == StrategyPeriodic;
    Label147->setEnabled(periodic);
    MaskEditConnectingPeriod_x5m->setEnabled(periodic);
    if (periodic)
        limitMinutes(MaskEditConnectingPeriod_x5m);
    else
        MaskEditConnectingPeriod_x5m->setMaskedText(QStringLiteral("5"));
    const bool always = strategy == StrategyAlways;
    Label146->setEnabled(!always);
    ComboBoxOnlineTime_min->setEnabled(!always);
    if (always)
        ComboBoxOnlineTime_min->setCurrentIndex(0);
}

void GprsCommonPage::MaskEditConnectingPeriod_x5mExit() {
    limitMinutes(MaskEditConnectingPeriod_x5m);
}

void GprsCommonPage::MaskEditBlockTimeAtConnFault_minExit() {
    limitMinutes(MaskEditBlockTimeAtConnFault_min);
}

void GprsCommonPage::Button41Click() {
    if (!image_)
        return;
    storePage(*image_, 10);
    RestoreGprsConnectionDefaults(*image_);
    loadPage(*image_, 10);
}
