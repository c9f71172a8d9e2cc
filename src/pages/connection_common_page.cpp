#include "pages/connection_common_page.h"

#include "pages/form_builder.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

using form::make;

namespace {

const char* const kWarning =
    "Административный пароль необходим для использования расширенного набора команд через SMS, "
    "а так же для защиты конфигурации устройства от модификации. После процедуры установки, "
    "запись и чтение конфигурации будут невозможны, без указания этого пароля. Действие нового "
    "пароля начнется с момента повторного запуска конфигуратора. Будьте внимательны, в случае "
    "утраты пароля его отмена возможна с помощью длительной процедуры, около 30 минут, при этом "
    "ранее настроенная конфигурация будет очищена, все параметры сбросятся к заводским. Этот "
    "пароль не сохраняется в файле конфигурации его нужно будет вводить при каждом запуске "
    "программы.";

const char* const kBalanceNote =
    "Предустановленные шаблоны параметров запроса баланса могут отличаться в разных регионах. "
    "Уточните USSD команду для запроса баланса у вашего оператора. Ключевое слово - это "
    "ближайшие восемь символов слева от числового значения баланса.";

} // namespace

const std::vector<FieldSpec>& ConnectionCommonPage::fieldSpecs() {
    static const std::vector<FieldSpec> specs = {
        listField("ComboBoxCall2CallPauseX10S", 12, 0, 2),
        checkField("CheckBoxACK", 12, 3),
        checkField("CheckBoxControlOnlyList", 12, 4),
        checkField("CheckBoxDTMFControlOnlyList", 12, 5),
        listField("ComboBoxDialPriority", 12, 6, 7),
        listField("ComboBoxOutdatedMsgTime", 13, 0, 3),
        listField("ComboBoxDATAProtocol", 13, 4, 4),
        intField("EditModBusAddress", 14, 1, IntRule::Clamp, 1, 247),
        textField("MaskEditSysPassword", 20, 9, TextCopy::Padded, Trim::Both),
        textField("MaskEditPIN", 29, 9, TextCopy::Padded, Trim::Both),
        textField("MaskEditDTMFPass", 38, 5, TextCopy::Padded, Trim::Both),
        textField("MaskEditPassword", 43, 9, TextCopy::Padded, Trim::Both),
        textField("MaskEditSMSCA", 52, 16, TextCopy::Padded, Trim::Both, true),
        textField("MaskEditBalansReqCMD", 2820, 9, TextCopy::Padded, Trim::Both),
        // The key word keeps its trailing blanks: they are part of the word.
        textField("MaskEditBalansIdWord", 2829, 9, TextCopy::Padded, Trim::Leading),
        intField("EditBalansMinVal", 2838, 2, IntRule::CapHighWrapLow, 0, 65535),
        intField("EditReqPeriodH", 2840, 1, IntRule::CapHighWrapLow, 0, 255),
    };
    return specs;
}

ConnectionCommonPage::ConnectionCommonPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("Panel1"), texts, parent) {
    auto* top = new QVBoxLayout(this);
    top->addWidget(makeTitle(QStringLiteral("Label15")));

    // Security.
    GroupBox6 = form::group("GroupBox6", " Безопасность ");
    CheckBoxSysPassword = make<QCheckBox>("CheckBoxSysPassword",
                                          QStringLiteral("Использовать административный пароль"));
    Label84 = form::label("Label84", "Административный пароль и пароль защиты конфигурации", true);
    MaskEditSysPassword = make<MaskEdit>("MaskEditSysPassword", QStringLiteral("aaaaaaaa;1; "));
    MaskEditPIN = make<MaskEdit>("MaskEditPIN", QStringLiteral("99999999;1; "));
    MaskEditSMSCA = make<MaskEdit>("MaskEditSMSCA", QStringLiteral("#99999999999999;1; "));
    MaskEditPassword = make<MaskEdit>("MaskEditPassword", QStringLiteral("aaaaaaaa;1; "));
    MaskEditDTMFPass = make<MaskEdit>("MaskEditDTMFPass", QStringLiteral("9999;1; "));
    CheckBoxDTMFControlOnlyList =
        make<QCheckBox>("CheckBoxDTMFControlOnlyList",
                        QStringLiteral("DTMF управление только с телефонов из списка"));
    CheckBoxControlOnlyList = make<QCheckBox>(
        "CheckBoxControlOnlyList", QStringLiteral("SMS управление только с телефонов из списка"));
    CheckBoxACK = make<QCheckBox>("CheckBoxACK",
                                  QStringLiteral("Всегда подтверждать выполнение SMS команды"));
    ComboBoxOutdatedMsgTime = make<SelectList>("ComboBoxOutdatedMsgTime");
    {
        QStringList items{QStringLiteral("---")};
        for (int k = 1; k <= 15; ++k)
            items << QStringLiteral("%1 Min.").arg(2 * k);
        ComboBoxOutdatedMsgTime->setItems(items);
    }
    auto* security = new QVBoxLayout(GroupBox6);
    security->addWidget(CheckBoxSysPassword);
    auto* passwords = new QGridLayout;
    const int shortEdit = form::textWidth(MaskEditSysPassword, 10);
    form::addRow(passwords, Label84, MaskEditSysPassword, shortEdit);
    form::addRow(passwords, form::label("Label72", "PIN код"), MaskEditPIN, shortEdit);
    form::addRow(passwords, form::label("Label73", "Номер телефона SMS центра", true),
                 MaskEditSMSCA, form::textWidth(MaskEditSMSCA, 17));
    form::addRow(passwords, form::label("Label70", "Пароль доступа для SMS управления", true),
                 MaskEditPassword, shortEdit);
    form::addRow(passwords, form::label("Label8", "Пароль доступа для DTMF управления", true),
                 MaskEditDTMFPass, shortEdit);
    security->addLayout(passwords);
    security->addWidget(CheckBoxDTMFControlOnlyList);
    security->addWidget(CheckBoxControlOnlyList);
    security->addWidget(CheckBoxACK);
    auto* outdated = new QGridLayout;
    form::addRow(outdated,
                 form::label("Label131",
                             "SMS команды полученные позднее указанного времени, с момента "
                             "отправки, не выполнять",
                             true),
                 ComboBoxOutdatedMsgTime, shortEdit);
    security->addLayout(outdated);
    security->addStretch();

    // Balance check.
    GroupBox13 = form::group("GroupBox13", " Контроль баланса ");
    GroupBox16 = form::group("GroupBox16", " Предустановленные шаблоны ");
    RadioButton1 = make<QRadioButton>("RadioButton1", QStringLiteral("МТС"));
    RadioButton2 = make<QRadioButton>("RadioButton2", QStringLiteral("Билайн"));
    RadioButton3 = make<QRadioButton>("RadioButton3", QStringLiteral("Мегафон"));
    RadioButton4 = make<QRadioButton>("RadioButton4", QStringLiteral("Теле 2"));
    auto* templates = new QGridLayout(GroupBox16);
    templates->addWidget(RadioButton1, 0, 0);
    templates->addWidget(RadioButton2, 0, 1);
    templates->addWidget(RadioButton3, 1, 0);
    templates->addWidget(RadioButton4, 1, 1);
    MaskEditBalansReqCMD = make<MaskEdit>("MaskEditBalansReqCMD");
    MaskEditBalansReqCMD->setMaxLength(8);
    MaskEditBalansIdWord = make<MaskEdit>("MaskEditBalansIdWord");
    MaskEditBalansIdWord->setMaxLength(8);
    EditBalansMinVal = make<LineEdit>("EditBalansMinVal");
    EditBalansMinVal->setMaxLength(5);
    EditReqPeriodH = make<LineEdit>("EditReqPeriodH");
    EditReqPeriodH->setMaxLength(3);
    auto* balance = new QVBoxLayout(GroupBox13);
    balance->addWidget(GroupBox16);
    auto* balanceGrid = new QGridLayout;
    form::addRow(balanceGrid, form::label("Label49", "USSD команда запроса"), MaskEditBalansReqCMD,
                 shortEdit);
    form::addRow(
        balanceGrid,
        form::label("Label50", "Ключевое слово для идентификации сообщения о балансе", true),
        MaskEditBalansIdWord, shortEdit);
    form::addRow(balanceGrid,
                 form::label("Label41",
                             "Формировать оповещение при значении равном или меньше (0 - 65535)",
                             true),
                 EditBalansMinVal, shortEdit);
    form::addRow(
        balanceGrid,
        form::label("Label42", "Период запроса информации о балансе в часах (0 - 255)", true),
        EditReqPeriodH, shortEdit);
    balance->addLayout(balanceGrid);
    auto* note = form::label("StaticText1", QString::fromUtf8(kBalanceNote), true);
    note->setFrameShape(QFrame::Panel);
    note->setFrameShadow(QFrame::Sunken);
    note->setMargin(4);
    balance->addWidget(note);
    balance->addStretch();

    // Voice notifications.
    GroupBox12 = form::group("GroupBox12", " Исходящие голосовые оповещения ");
    ComboBoxDialPriority = make<SelectList>(
        "ComboBoxDialPriority",
        QStringList{QStringLiteral("Чередование от 1 до 8 по кольцу, без приоритета."),
                    QStringLiteral("Приоритет у соединения с меньшим номером."),
                    QStringLiteral("Приоритет у текущего соединения, до полной передачи."),
                    QStringLiteral("Приоритет у текущего соединения, до первой неудачи.")});
    ComboBoxCall2CallPauseX10S = make<SelectList>("ComboBoxCall2CallPauseX10S");
    {
        QStringList items;
        for (int k = 0; k < 8; ++k)
            items << QString::number(10 * k);
        ComboBoxCall2CallPauseX10S->setItems(items);
    }
    auto* voice = new QGridLayout(GroupBox12);
    voice->addWidget(
        form::label("Label128", "Принцип чередования соединений при голосовом оповещении", true), 0,
        0);
    voice->addWidget(ComboBoxDialPriority, 0, 1);
    voice->addWidget(form::label("Label129",
                                 "Пауза между окончанием одного соединения и началом нового, Сек.",
                                 true),
                     1, 0);
    ComboBoxCall2CallPauseX10S->setFixedWidth(shortEdit);
    voice->addWidget(ComboBoxCall2CallPauseX10S, 1, 1, Qt::AlignLeft);
    voice->setColumnStretch(0, 2);
    voice->setColumnStretch(1, 3);

    // Modem protocol of outgoing data calls; hidden in the window design and
    // always shown by this tool.
    GroupBoxOutDataParam =
        form::group("GroupBoxOutDataParam", " Тип модемного соединения для исходящих вызовов ");
    ComboBoxDATAProtocol =
        make<SelectList>("ComboBoxDATAProtocol", QStringList{QStringLiteral("V.32 (9600 bps)"),
                                                             QStringLiteral("V.110 (9600 bps)")});
    auto* data = new QHBoxLayout(GroupBoxOutDataParam);
    data->addWidget(ComboBoxDATAProtocol);
    data->addStretch();

    // The Modbus address is never shown; its field is still stored and loaded.
    EditModBusAddress = make<LineEdit>("EditModBusAddress", GroupBoxOutDataParam);
    EditModBusAddress->setMaxLength(3);
    EditModBusAddress->hide();
    auto* modbusLabel = form::label("LabelModBusAddress", "Адрес устройства в сети Modbus");
    modbusLabel->setParent(GroupBoxOutDataParam);
    modbusLabel->hide();

    LabelSharedParWarningMsg = form::label("LabelSharedParWarningMsg", QString(), true);
    QFont warnFont = LabelSharedParWarningMsg->font();
    warnFont.setBold(true);
    LabelSharedParWarningMsg->setFont(warnFont);
    LabelSharedParWarningMsg->setStyleSheet(QStringLiteral("color: #b00000;"));

    auto* upper = new QHBoxLayout;
    upper->addWidget(GroupBox6, 1);
    upper->addWidget(GroupBox13, 1);
    top->addLayout(upper);
    top->addWidget(GroupBox12);
    top->addWidget(GroupBoxOutDataParam);
    top->addWidget(LabelSharedParWarningMsg);
    top->addStretch();

    connect(CheckBoxSysPassword, &QCheckBox::clicked, this,
            &ConnectionCommonPage::CheckBoxSysPasswordClick);
    connect(RadioButton1, &QRadioButton::clicked, this, &ConnectionCommonPage::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &ConnectionCommonPage::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &ConnectionCommonPage::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &ConnectionCommonPage::RadioButton4Click);
    connect(EditModBusAddress, &LineEdit::exited, this,
            &ConnectionCommonPage::EditModBusAddressExit);

    fields_ = std::make_unique<FieldTable>(this, fieldSpecs());
    CheckBoxSysPasswordClick(); // the box starts unchecked: the edit starts disabled
}

ConnectionCommonPage::~ConnectionCommonPage() = default;

void ConnectionCommonPage::storePage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    // Without the box the password is discarded, whatever was loaded.
    if (!CheckBoxSysPassword->isChecked())
        MaskEditSysPassword->setMaskedText(QString());
    CheckBoxSysPasswordClick();
    fields_->store(image, 0);
}

void ConnectionCommonPage::loadPage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    CheckBoxSysPasswordClick();
    fields_->load(image, 0);
}

void ConnectionCommonPage::CheckBoxSysPasswordClick() {
    const bool on = CheckBoxSysPassword->isChecked();
    MaskEditSysPassword->setEnabled(on);
    Label84->setEnabled(on);
    // Once shown, the warning stays.
    if (on)
        LabelSharedParWarningMsg->setText(QString::fromUtf8(kWarning));
}

void ConnectionCommonPage::setBalanceTemplate(const QString& command, const QString& keyWord) {
    MaskEditBalansReqCMD->setMaskedText(command);
    MaskEditBalansIdWord->setMaskedText(keyWord);
}

void ConnectionCommonPage::RadioButton1Click() {
    setBalanceTemplate(QStringLiteral("*100#"), QStringLiteral("Баланс:"));
}

void ConnectionCommonPage::RadioButton2Click() {
    setBalanceTemplate(QStringLiteral("*102#"), QStringLiteral("Баланс "));
}

void ConnectionCommonPage::RadioButton3Click() {
    setBalanceTemplate(QStringLiteral("*100#"), QString());
}

void ConnectionCommonPage::RadioButton4Click() {
    setBalanceTemplate(QStringLiteral("*105#"), QStringLiteral("OCTATOK "));
}

void ConnectionCommonPage::EditModBusAddressExit() {
    const QString text = fieldtext::trim(EditModBusAddress->text());
    EditModBusAddress->setText(text);
    if (fieldtext::toIntOr(text, 1) > 247)
        EditModBusAddress->setText(QStringLiteral("247"));
    else if (fieldtext::toIntOr(text, 0) < 1)
        EditModBusAddress->setText(QStringLiteral("1"));
}
