#include "pages/connection_page.h"

#include "config/image_layout.h"
#include "pages/form_builder.h"
#include "pages/ui_texts.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

using form::make;

namespace {

const char* const kTagProperty = "tag";
const int kVoiceKx = 2; // "Голосовое KX"

QString numbered(const char* prefix, int n) {
    return n == 1 ? QString::fromLatin1(prefix) : QString::fromLatin1(prefix) + QString::number(n);
}

QCheckBox* taggedBox(const QString& name, const QString& caption, int tag) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    box->setProperty(kTagProperty, tag);
    return box;
}

QStringList minuteItems() {
    QStringList items;
    for (int k = 1; k <= 16; ++k)
        items << QStringLiteral("%1 Min.").arg(k);
    return items;
}

// The sources group: inputs in two rows of eight, the mode boxes in two rows
// of four, then the event boxes.
void layOutSources(QGroupBox* group, const std::array<TriStateBox*, 16>& inputs,
                   const std::array<QCheckBox*, 4>& arm, const std::array<QCheckBox*, 4>& disarm,
                   const std::vector<QCheckBox*>& events, const std::vector<QCheckBox*>& hidden) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    for (int n = 0; n < 16; ++n)
        grid->addWidget(inputs[n], n / 8, n % 8);
    for (int p = 0; p < 4; ++p) {
        grid->addWidget(arm[p], 2, 2 * p, 1, 2);
        grid->addWidget(disarm[p], 3, 2 * p, 1, 2);
    }
    int column = 0;
    for (QCheckBox* box : events) {
        const int span = column < 4 ? 3 : 2;
        grid->addWidget(box, 4, column, 1, span);
        column += span;
    }
    for (QCheckBox* box : hidden) {
        box->setParent(group);
        box->hide();
    }
    group->setLayout(grid);
}

} // namespace

const std::vector<FieldSpec>& ConnectionPage::fieldSpecs() {
    static const std::vector<FieldSpec> specs = {
        textField("MaskEditPhone", 0, 16, TextCopy::Padded, Trim::Both, true),
        listField("ComboBoxTransportPriority", 16, 0, 1),
        listField("ComboBoxGroupNum", 16, 2, 5),
        listField("ComboBoxDialTranspWaitTime", 17, 0, 3),
        listField("ComboBoxIncomungCallAction", 17, 4, 5),
        listField("ComboBoxICToOUOutN", 18, 0, 2),
        listField("ComboBoxICToOUScnN", 18, 3, 7),
        checkField("CheckBoxNotACK", 19, 0),
        checkField("CheckBoxCallEn", 19, 1),
        listField("ComboBoxOnLineTime", 19, 2, 7),
        listField("ComboBoxConnectionType", 20, 0, 1),
        triStateField("CheckBoxMaskDInput", 22),
        checkField("CheckBoxMaskDArm", 26, 0),
        checkField("CheckBoxMaskDArm2", 26, 1),
        checkField("CheckBoxMaskDArm3", 26, 2),
        checkField("CheckBoxMaskDArm4", 26, 3),
        checkField("CheckBoxMaskDDisarm", 26, 4),
        checkField("CheckBoxMaskDDisarm2", 26, 5),
        checkField("CheckBoxMaskDDisarm3", 26, 6),
        checkField("CheckBoxMaskDDisarm4", 26, 7),
        checkField("CheckBoxMaskCRestrictedArm", 27, 0),
        checkField("CheckBoxMaskDPower", 27, 1),
        checkField("CheckBoxMaskDTest", 27, 2),
        checkField("CheckBoxMaskDGPS", 27, 3),
        listField("ComboBoxSMSTranspWaitTime", 28, 0, 3),
        listField("ComboBoxLang", 29, 0, 1),
        listField("ComboBoxUserId", 29, 2, 2),
        checkField("CheckBoxDebugMode", 29, 3),
        checkField("CheckBoxSMSEn", 29, 4),
        checkField("CheckBoxJointUse", 29, 5),
        triStateField("CheckBoxMaskSInput", 30),
        checkField("CheckBoxMaskSArm", 34, 0),
        checkField("CheckBoxMaskSArm2", 34, 1),
        checkField("CheckBoxMaskSArm3", 34, 2),
        checkField("CheckBoxMaskSArm4", 34, 3),
        checkField("CheckBoxMaskSDisarm", 34, 4),
        checkField("CheckBoxMaskSDisarm2", 34, 5),
        checkField("CheckBoxMaskSDisarm3", 34, 6),
        checkField("CheckBoxMaskSDisarm4", 34, 7),
        checkField("CheckBoxMaskSRestrictedArm", 35, 0),
        checkField("CheckBoxMaskSPower", 35, 1),
        checkField("CheckBoxMaskSTest", 35, 2),
        checkField("CheckBoxMaskSGPS", 35, 3),
        checkField("CheckBoxMaskSProfile", 35, 4),
    };
    return specs;
}

std::size_t ConnectionPage::recordOffset(int pageIndex) {
    return layout::kConnectionOffset + layout::kConnectionSize * std::size_t(pageIndex - 2);
}

ConnectionPage::ConnectionPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("Panel5"), texts, parent) {
    auto* top = new QVBoxLayout(this);
    top->addWidget(makeTitle(QStringLiteral("Label74")));

    Label75 = form::label("Label75", "Номер");
    MaskEditPhone = make<MaskEdit>("MaskEditPhone", QStringLiteral("#99999999999999;1; "));
    Label161 = form::label("Label161", "принадлежит группе");
    ComboBoxGroupNum =
        make<SelectList>("ComboBoxGroupNum", QStringList{"1", "2", "3", "4", "5", "6", "7", "8"});
    Label85 = form::label("Label85", "Приоритет транспорта");
    ComboBoxTransportPriority = make<SelectList>(
        "ComboBoxTransportPriority",
        QStringList{QStringLiteral("Голосовое и SMS оповещения равнозначны"),
                    QStringLiteral("Посылать SMS только если не доставлено голосовое оповещ."),
                    QStringLiteral("Голосовое оповещение только если не отправлено SMS")});
    Label32 = form::label("Label32", "Реакция на входящий вызов");
    // The designed list has a fourth item, "Отбить и изменить режим
    // (ОХРАНА/НАБЛЮДЕНИЕ)", which the controller does not offer here: only the
    // first three are kept.
    ComboBoxIncomungCallAction = make<SelectList>(
        "ComboBoxIncomungCallAction",
        QStringList{
            QStringLiteral("Принять и перейти в голосовое меню, с паролем (DTMF управление)"),
            QStringLiteral("Принять и перейти в голосовое меню, без пароля (DTMF управление)"),
            QStringLiteral("Отбить (DTMF управление невозможно)")});

    GroupBoxInCallToOutsAction = form::group("GroupBoxInCallToOutsAction",
                                             " Воздействие на реле/выходы при входящем вызове ");
    ComboBoxICToOUOutN = make<SelectList>("ComboBoxICToOUOutN", texts.OutputNames);
    {
        QStringList actions{QStringLiteral("нет реакции"), QStringLiteral("включить"),
                            QStringLiteral("выключить")};
        for (int s = 1; s <= 14; ++s)
            actions << QStringLiteral("сценарий %1").arg(s);
        ComboBoxICToOUScnN = make<SelectList>("ComboBoxICToOUScnN", actions);
    }
    auto* inCall = new QHBoxLayout(GroupBoxInCallToOutsAction);
    inCall->addWidget(ComboBoxICToOUOutN, 1);
    inCall->addWidget(ComboBoxICToOUScnN, 1);
    inCall->addStretch(1);

    auto* head = new QGridLayout;
    head->setColumnStretch(3, 1);
    head->addWidget(Label75, 0, 0);
    MaskEditPhone->setFixedWidth(form::textWidth(MaskEditPhone, 17));
    auto* phoneRow = new QHBoxLayout;
    phoneRow->addWidget(MaskEditPhone);
    phoneRow->addSpacing(12);
    phoneRow->addWidget(Label161);
    phoneRow->addWidget(ComboBoxGroupNum);
    phoneRow->addStretch();
    head->addLayout(phoneRow, 0, 1, 1, 3);
    head->addWidget(Label85, 1, 0);
    head->addWidget(ComboBoxTransportPriority, 1, 1, 1, 3);
    head->addWidget(Label32, 2, 0);
    head->addWidget(ComboBoxIncomungCallAction, 2, 1, 1, 3);
    top->addLayout(head);
    top->addWidget(GroupBoxInCallToOutsAction);

    buildVoiceGroup();
    buildSmsGroup();
    top->addWidget(GroupBoxConSharD);
    top->addWidget(GroupBoxConSharS);
    top->addStretch();

    // Hidden in the window design; the page entry shows them.
    shownOnEntry_ = {Label85,
                     ComboBoxTransportPriority,
                     GroupBoxInCallToOutsAction,
                     LabelConnType,
                     ComboBoxConnectionType,
                     CheckBoxJointUse,
                     CheckBoxMaskSProfile};
    for (int n = 4; n < 16; ++n) {
        shownOnEntry_.push_back(CheckBoxMaskDInput[n]);
        shownOnEntry_.push_back(CheckBoxMaskSInput[n]);
    }
    for (int p = 1; p < 4; ++p)
        for (QCheckBox* box : {CheckBoxMaskDArm[p], CheckBoxMaskDDisarm[p], CheckBoxMaskSArm[p],
                               CheckBoxMaskSDisarm[p]})
            shownOnEntry_.push_back(box);
    for (QWidget* w : shownOnEntry_)
        w->hide();

    connect(ComboBoxIncomungCallAction, &QComboBox::activated, this,
            &ConnectionPage::ComboBoxIncomungCallActionChange);
    connect(ComboBoxTransportPriority, &QComboBox::activated, this,
            &ConnectionPage::ComboBoxIncomungCallActionChange);
    connect(ComboBoxConnectionType, &QComboBox::activated, this,
            &ConnectionPage::ComboBoxConnectionTypeChange);
    // `clicked` comes from the user only: loading and the rule itself never
    // run the rule.
    for (QCheckBox* box : voiceOrder_)
        if (box != CheckBoxMaskDGPS)
            connect(box, &QCheckBox::clicked, this, [this, box] { CheckBoxMaskDInput1Click(box); });

    fields_ = std::make_unique<FieldTable>(this, fieldSpecs());
}

ConnectionPage::~ConnectionPage() = default;

void ConnectionPage::buildVoiceGroup() {
    GroupBoxConSharD =
        form::group("GroupBoxConSharD", " Голосовое оповещение или вызов типа DATA ");
    CheckBoxCallEn = make<QCheckBox>("CheckBoxCallEn", QStringLiteral("Разрешено"));
    ComboBoxDialTranspWaitTime = make<SelectList>("ComboBoxDialTranspWaitTime", minuteItems());
    {
        QStringList items{QStringLiteral("По длине сообщения"),
                          QStringLiteral("Задается DTMF упр.")};
        for (int k = 2; k <= 61; ++k)
            items << QStringLiteral("%1 Sec.").arg(k);
        ComboBoxOnLineTime = make<SelectList>("ComboBoxOnLineTime", items);
    }
    CheckBoxNotACK =
        make<QCheckBox>("CheckBoxNotACK",
                        QStringLiteral("Отбой вызова, без соединения, считать успешной доставкой"));
    LabelConnType = form::label("LabelConnType", "Тип соединения");
    ComboBoxConnectionType = make<SelectList>(
        "ComboBoxConnectionType", QStringList{QStringLiteral("Голосовое"), QStringLiteral("Kolvex"),
                                              QStringLiteral("Голосовое KX")});

    GroupBoxConDial =
        form::group("GroupBoxConDial", " Передавать сообщения от следующих источников ");
    // Created in the group's child order; the tags group the boxes that may be
    // on together under "Голосовое KX".
    const auto input = [this](int n) {
        auto* box = make<TriStateBox>(qPrintable(QStringLiteral("CheckBoxMaskDInput%1").arg(n)),
                                      QStringLiteral("Вх. %1").arg(n));
        box->setProperty(kTagProperty, 4);
        CheckBoxMaskDInput[n - 1] = box;
        voiceOrder_.push_back(box);
    };
    const auto other = [this](QCheckBox*& member, const QString& name, const QString& caption,
                              int tag) {
        member = taggedBox(name, caption, tag);
        voiceOrder_.push_back(member);
    };
    input(1);
    input(2);
    input(4);
    input(3);
    other(CheckBoxMaskDDisarm[0], numbered("CheckBoxMaskDDisarm", 1), "НАБЛЮДЕНИЕ 1", 2);
    other(CheckBoxMaskDPower, "CheckBoxMaskDPower", "Системные события", 4);
    other(CheckBoxMaskDArm[0], numbered("CheckBoxMaskDArm", 1), "ОХРАНА 1", 1);
    other(CheckBoxMaskDTest, "CheckBoxMaskDTest", "Тестовое / инфо. сообщения", 4);
    for (int n = 5; n <= 8; ++n)
        input(n);
    other(CheckBoxMaskCRestrictedArm, "CheckBoxMaskCRestrictedArm", "ЗАЩИТА", 3);
    for (int p = 2; p <= 4; ++p) {
        other(CheckBoxMaskDArm[p - 1], numbered("CheckBoxMaskDArm", p),
              QStringLiteral("ОХРАНА %1").arg(p), 2 * p + 1);
        other(CheckBoxMaskDDisarm[p - 1], numbered("CheckBoxMaskDDisarm", p),
              QStringLiteral("НАБЛЮДЕНИЕ %1").arg(p), 2 * p + 2);
    }
    other(CheckBoxMaskDGPS, "CheckBoxMaskDGPS", "GPS", 0);
    for (int n : {9, 10, 12, 11, 13, 14, 15, 16})
        input(n);
    for (QCheckBox* box : voiceOrder_)
        box->setParent(GroupBoxConDial);
    layOutSources(GroupBoxConDial, CheckBoxMaskDInput, CheckBoxMaskDArm, CheckBoxMaskDDisarm,
                  {CheckBoxMaskDPower, CheckBoxMaskDTest},
                  {CheckBoxMaskCRestrictedArm, CheckBoxMaskDGPS});

    auto* grid = new QGridLayout;
    grid->addWidget(CheckBoxCallEn, 0, 0, 1, 2);
    grid->addWidget(LabelConnType, 0, 2);
    grid->addWidget(ComboBoxConnectionType, 0, 3);
    grid->addWidget(form::label("Label77", "Снять данные с передачи, если не переданны за", true),
                    1, 0);
    grid->addWidget(ComboBoxDialTranspWaitTime, 1, 1);
    grid->addWidget(
        form::label("Label81", "Продолжительность исходящего голосового соединения", true), 1, 2);
    grid->addWidget(ComboBoxOnLineTime, 1, 3);
    grid->addWidget(CheckBoxNotACK, 2, 0, 1, 4);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    auto* box = new QVBoxLayout(GroupBoxConSharD);
    box->addLayout(grid);
    box->addWidget(GroupBoxConDial);
}

void ConnectionPage::buildSmsGroup() {
    GroupBoxConSharS = form::group("GroupBoxConSharS", " SMS ");
    CheckBoxSMSEn = make<QCheckBox>("CheckBoxSMSEn", QStringLiteral("Разрешено"));
    ComboBoxSMSTranspWaitTime = make<SelectList>("ComboBoxSMSTranspWaitTime", minuteItems());
    LabelProtocolAlias = form::label("LabelProtocolAlias", "Протокол обмена");
    // Two designed languages, then the two message protocols of other systems.
    ComboBoxLang = make<SelectList>(
        "ComboBoxLang", QStringList{QStringLiteral("Английский"), QStringLiteral("Русский"),
                                    QStringLiteral("Kolvex"), QStringLiteral("zWatch")});
    ComboBoxUserId =
        make<SelectList>("ComboBoxUserId", QStringList{QStringLiteral("Код ключа TouchMem"),
                                                       QStringLiteral("Имя пользователя")});
    CheckBoxDebugMode = make<QCheckBox>("CheckBoxDebugMode",
                                        QStringLiteral("Контроль ошибок управляющих сообщений"));
    CheckBoxJointUse = make<QCheckBox>("CheckBoxJointUse",
                                       QStringLiteral("Режим управления подчиненным контроллером"));

    GroupBoxConSMS =
        form::group("GroupBoxConSMS", " Передавать сообщения от следующих источников ");
    for (int n = 1; n <= 16; ++n)
        CheckBoxMaskSInput[n - 1] =
            make<TriStateBox>(qPrintable(QStringLiteral("CheckBoxMaskSInput%1").arg(n)),
                              QStringLiteral("Вх. %1").arg(n));
    for (int p = 1; p <= 4; ++p) {
        CheckBoxMaskSArm[p - 1] = make<QCheckBox>(qPrintable(numbered("CheckBoxMaskSArm", p)),
                                                  QStringLiteral("ОХРАНА %1").arg(p));
        CheckBoxMaskSDisarm[p - 1] = make<QCheckBox>(qPrintable(numbered("CheckBoxMaskSDisarm", p)),
                                                     QStringLiteral("НАБЛЮДЕНИЕ %1").arg(p));
    }
    CheckBoxMaskSRestrictedArm =
        make<QCheckBox>("CheckBoxMaskSRestrictedArm", QStringLiteral("ЗАЩИТА"));
    CheckBoxMaskSPower = make<QCheckBox>("CheckBoxMaskSPower", QStringLiteral("Системные события"));
    CheckBoxMaskSTest =
        make<QCheckBox>("CheckBoxMaskSTest", QStringLiteral("Тестовое / инфо. сообщения"));
    CheckBoxMaskSGPS = make<QCheckBox>("CheckBoxMaskSGPS", QStringLiteral("GPS"));
    CheckBoxMaskSProfile = make<QCheckBox>("CheckBoxMaskSProfile", QStringLiteral("Профиль"));
    layOutSources(GroupBoxConSMS, CheckBoxMaskSInput, CheckBoxMaskSArm, CheckBoxMaskSDisarm,
                  {CheckBoxMaskSPower, CheckBoxMaskSTest, CheckBoxMaskSProfile},
                  {CheckBoxMaskSRestrictedArm, CheckBoxMaskSGPS});

    auto* grid = new QGridLayout;
    grid->addWidget(CheckBoxSMSEn, 0, 0, 1, 2);
    grid->addWidget(form::label("Label67", "В сообщении передавать", true), 0, 2);
    grid->addWidget(ComboBoxUserId, 0, 3);
    grid->addWidget(form::label("Label78", "Снять данные с передачи, если не переданны за", true),
                    1, 0);
    grid->addWidget(ComboBoxSMSTranspWaitTime, 1, 1);
    grid->addWidget(LabelProtocolAlias, 1, 2);
    grid->addWidget(ComboBoxLang, 1, 3);
    grid->addWidget(CheckBoxDebugMode, 2, 0, 1, 2);
    grid->addWidget(CheckBoxJointUse, 2, 2, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    auto* box = new QVBoxLayout(GroupBoxConSharS);
    box->addLayout(grid);
    box->addWidget(GroupBoxConSMS);
}

int ConnectionPage::voiceTag(const QCheckBox* box) {
    return box->property(kTagProperty).toInt();
}

void ConnectionPage::prepare(int pageIndex) {
    (void)pageIndex;
    for (QWidget* w : shownOnEntry_)
        w->show();
    GroupBoxConSharD->setTitle(QStringLiteral(" Голосовое оповещение или вызов типа DATA "));
    LabelProtocolAlias->setText(QStringLiteral("Протокол обмена"));
}

void ConnectionPage::storePage(ConfigImage& image, int pageIndex) {
    fields_->store(image, recordOffset(pageIndex));
}

void ConnectionPage::loadPage(ConfigImage& image, int pageIndex) {
    fields_->load(image, recordOffset(pageIndex));
    ComboBoxIncomungCallAction->setToolTip(ComboBoxIncomungCallAction->currentText());
}

void ConnectionPage::ComboBoxIncomungCallActionChange() {
    ComboBoxIncomungCallAction->setToolTip(ComboBoxIncomungCallAction->currentText());
}

void ConnectionPage::applyExclusivity(QCheckBox* box) {
    const int tag = voiceTag(box);
    for (QCheckBox* other : voiceOrder_)
        if (other != box && voiceTag(other) != tag)
            other->setCheckState(Qt::Unchecked);
}

void ConnectionPage::CheckBoxMaskDInput1Click(QCheckBox* box) {
    if (ComboBoxConnectionType->currentIndex() == kVoiceKx)
        applyExclusivity(box);
}

void ConnectionPage::ComboBoxConnectionTypeChange() {
    if (ComboBoxConnectionType->currentIndex() != kVoiceKx)
        return;
    for (QCheckBox* box : voiceOrder_) {
        if (box->checkState() != Qt::Unchecked) {
            box->setFocus();
            applyExclusivity(box);
            break;
        }
    }
    CheckBoxNotACK->setChecked(true);
}
