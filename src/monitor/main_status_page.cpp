#include "monitor/main_status_page.h"

#include "monitor/indicator.h"
#include "monitor/status_format.h"
#include "pages/form_builder.h"
#include "pages/identification_group.h"
#include "pages/ui_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using form::make;

namespace {

const char* const kTagProperty = "Tag";
const char* const kNoIdentificationName = "--------";

// Object names of the controls whose designed names the preparation and the
// language file use; the others follow the same numbering.
const char* const kInputButtonNames[16] = {
    "Button25", "Button26", "Button27", "Button28", "Button29", "Button30", "Button31", "Button32",
    "Button33", "Button34", "Button35", "Button36", "Button37", "Button38", "Button39", "Button40"};
const char* const kInputCaptionNames[16] = {
    "Label202", "Label203", "Label204", "Label205", "Label206", "Label207", "Label208", "Label209",
    "Label210", "Label211", "Label212", "Label213", "Label214", "Label215", "Label216", "Label217"};
const char* const kOnButtonNames[7] = {"Button4",  "Button6",  "Button8", "Button10",
                                       "Button12", "Button14", "Button16"};
const char* const kOffButtonNames[7] = {"Button5",  "Button7",  "Button9", "Button11",
                                        "Button13", "Button15", "Button17"};
const char* const kOutputCaptionNames[7] = {"Label121", "Label122", "Label123", "Label124",
                                            "Label125", "Label126", "Label127"};
const char* const kOutputCaptions[7] = {"R1", "R2", "O1", "O2", "O3", "O4", "O5"};

QPushButton* button(const QString& name, const QString& caption, const QString& hint, int tag) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setProperty(kTagProperty, tag);
    b->setAutoDefault(false);
    return b;
}

QLabel* centred(const QString& name, const QString& text) {
    auto* l = new QLabel(text);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

MainStatusPage::MainStatusPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("Panel10"), texts, parent) {
    buildGsmGroup();
    buildInputGroup();
    buildOutputGroup();
    buildScenarioGroup();
    buildPerimeterGroup();
    buildModeGroup();

    GroupBoxIdentification = new IdentificationGroup;

    Button21 = button(QStringLiteral("Button21"),
                      QStringLiteral("Написать в техническую поддержку"), QString(), 0);
    connect(Button21, &QPushButton::clicked, this, &MainStatusPage::Button21Click);

    CheckBoxClearSaveArea = make<QCheckBox>(
        "CheckBoxClearSaveArea", QStringLiteral("При программировании очистить память режимов"));

    ActionName = make<QLabel>("ActionName");
    ActionName->setWordWrap(true);
    QFont bold = ActionName->font();
    bold.setBold(true);
    ActionName->setFont(bold);
    ActionName->setMinimumHeight(2 * ActionName->fontMetrics().lineSpacing() + 4);
    ActionName->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ActionName->setTextFormat(Qt::PlainText);

    ProgressBar1 = make<QProgressBar>("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(14);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(makeTitle(QStringLiteral("Label30")));
    left->addWidget(form::label(
        "Label31", QStringLiteral("ОХРАНА / НАБЛЮДЕНИЕ, состояние реле, выходов и др."), true));
    left->addWidget(GroupBoxGSM);
    left->addWidget(GroupBoxInputIndicator);
    left->addWidget(GroupBoxOutputIndicator);
    left->addStretch();
    left->addWidget(ActionName);
    left->addWidget(ProgressBar1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(GroupBoxIdentification);
    right->addWidget(GroupBoxPerimeters);
    right->addWidget(GroupBoxMode);
    right->addWidget(GroupBoxTestScenario);
    right->addWidget(Button21);
    right->addWidget(CheckBoxClearSaveArea);
    right->addStretch();

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->setSpacing(8);
    columns->addLayout(left, 1);
    columns->addLayout(right, 0);

    prepare(0);
}

void MainStatusPage::buildGsmGroup() {
    GroupBoxGSM = form::group("GroupBoxGSM", QStringLiteral(" GSM "));
    LabelGSMState = form::label("LabelGSMState", QString(), true);
    LabelGSMState->setMinimumHeight(2 * LabelGSMState->fontMetrics().lineSpacing());
    LabelGSMState->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* caption = form::label("Label32", QStringLiteral("Уровень сигнала"));
    ProgressBarSignalQuality = make<QProgressBar>("ProgressBarSignalQuality");
    ProgressBarSignalQuality->setRange(0, 31);
    ProgressBarSignalQuality->setValue(0);
    ProgressBarSignalQuality->setTextVisible(false);
    ProgressBarSignalQuality->setFixedHeight(14);
    LabelBalans = form::label("LabelBalans", QString());

    auto* grid = new QGridLayout(GroupBoxGSM);
    grid->addWidget(LabelGSMState, 0, 0, 1, 2);
    grid->addWidget(caption, 1, 0);
    grid->addWidget(ProgressBarSignalQuality, 1, 1);
    grid->addWidget(LabelBalans, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

void MainStatusPage::buildInputGroup() {
    GroupBoxInputIndicator =
        form::group("GroupBoxInputIndicator", QStringLiteral(" Состояние входов "));
    auto* grid = new QGridLayout(GroupBoxInputIndicator);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    const QString hint = QStringLiteral("Имитировать активизацию входа");
    for (int i = 0; i < kInputs; ++i) {
        const int row = 0;
        const int col = i;
        inputCaptions[i] =
            centred(QString::fromLatin1(kInputCaptionNames[i]), QString::number(i + 1));
        PanelLed[i] = new Indicator(QStringLiteral("PanelLed%1").arg(i + 1), QSize(16, 12));
        setIndicatorColour(PanelLed[i], InactiveColour());
        inputButtons[i] = button(QString::fromLatin1(kInputButtonNames[i]), QString(), hint, i);
        inputButtons[i]->setFixedSize(16, 12);
        connect(inputButtons[i], &QPushButton::clicked, this, &MainStatusPage::Button25Click);
        grid->addWidget(inputCaptions[i], row, col, Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(PanelLed[i], row + 1, col, Qt::AlignHCenter);
        grid->addWidget(inputButtons[i], row + 2, col, Qt::AlignHCenter | Qt::AlignTop);
    }
}

void MainStatusPage::buildOutputGroup() {
    GroupBoxOutputIndicator =
        form::group("GroupBoxOutputIndicator", QStringLiteral(" Состояние выходов "));
    auto* grid = new QGridLayout(GroupBoxOutputIndicator);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int o = 0; o < kOutputs; ++o) {
        outputCaptions[o] = centred(QString::fromLatin1(kOutputCaptionNames[o]),
                                    QString::fromLatin1(kOutputCaptions[o]));
        PanelOut[o] = new Indicator(QStringLiteral("PanelOut%1").arg(o + 1), QSize(30, 14));
        setIndicatorColour(PanelOut[o], InactiveColour());
        onButtons[o] = button(QString::fromLatin1(kOnButtonNames[o]), QStringLiteral("Вкл."),
                              QStringLiteral("Включить исполнительное устройство"), o);
        offButtons[o] = button(QString::fromLatin1(kOffButtonNames[o]), QStringLiteral("Выкл."),
                               QStringLiteral("Выключить исполнительное устройство"), o);
        for (QPushButton* b : {onButtons[o], offButtons[o]})
            b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("Выкл.")) + 6);
        connect(onButtons[o], &QPushButton::clicked, this, &MainStatusPage::Button4Click);
        connect(offButtons[o], &QPushButton::clicked, this, &MainStatusPage::Button5Click);
        grid->addWidget(outputCaptions[o], 0, o, Qt::AlignHCenter | Qt::AlignBottom);
        grid->addWidget(PanelOut[o], 1, o, Qt::AlignHCenter);
        grid->addWidget(onButtons[o], 2, o, Qt::AlignHCenter);
        grid->addWidget(offButtons[o], 3, o, Qt::AlignHCenter);
    }
}

void MainStatusPage::buildScenarioGroup() {
    GroupBoxTestScenario =
        form::group("GroupBoxTestScenario", QStringLiteral(" Выполнить сценарий на выходе "));
    ComboBoxTestOut = make<QComboBox>("ComboBoxTestOut");
    ComboBoxTestScen = make<QComboBox>("ComboBoxTestScen");
    for (int k = 1; k <= 14; ++k)
        ComboBoxTestScen->addItem(QStringLiteral("сценарий %1").arg(k));
    Button20 = button(QStringLiteral("Button20"), QStringLiteral("Выполнить"), QString(), 0);
    connect(Button20, &QPushButton::clicked, this, &MainStatusPage::Button20Click);
    auto* row = new QHBoxLayout(GroupBoxTestScenario);
    row->addWidget(ComboBoxTestOut, 1);
    row->addWidget(ComboBoxTestScen, 1);
    row->addWidget(Button20);
}

void MainStatusPage::buildPerimeterGroup() {
    GroupBoxPerimeters = form::group("GroupBoxPerimeters", QStringLiteral(" Режим периметров "));
    auto* grid = new QGridLayout(GroupBoxPerimeters);
    grid->setHorizontalSpacing(4);
    for (int p = 0; p < kPerimeters; ++p) {
        auto* caption =
            centred(QStringLiteral("LabelPerimeter%1").arg(p + 1), QString::number(p + 1));
        PanelPArmDisarmStatus[p] =
            new Indicator(QStringLiteral("PanelP%1ArmDisarmStatus").arg(p + 1), QSize());
        PanelPArmDisarmStatus[p]->setFixedHeight(20);
        PanelPArmDisarmStatus[p]->setMinimumWidth(form::textWidth(PanelPArmDisarmStatus[p], 12));
        setIndicatorColour(PanelPArmDisarmStatus[p], ButtonFaceColour());
        const int row = p / 2, col = (p % 2) * 2;
        grid->addWidget(caption, row, col);
        grid->addWidget(PanelPArmDisarmStatus[p], row, col + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    ComboBoxSelectedPerim = make<QComboBox>("ComboBoxSelectedPerim");
    for (int p = 1; p <= kPerimeters; ++p)
        ComboBoxSelectedPerim->addItem(QStringLiteral("Периметр %1").arg(p));
    Button23 = button(QStringLiteral("Button23"), QStringLiteral("Охрана"), QString(), 0);
    Button24 = button(QStringLiteral("Button24"), QStringLiteral("Наблюдение"), QString(), 0);
    connect(Button23, &QPushButton::clicked, this, &MainStatusPage::Button18Click);
    connect(Button24, &QPushButton::clicked, this, &MainStatusPage::Button19Click);
    auto* row = new QHBoxLayout;
    row->addWidget(ComboBoxSelectedPerim, 1);
    row->addWidget(Button23);
    row->addWidget(Button24);
    grid->addLayout(row, 2, 0, 1, 4);
}

void MainStatusPage::buildModeGroup() {
    // Present for the full controller's commands, but not shown.
    GroupBoxMode = form::group("GroupBoxMode", QStringLiteral(" Режим "));
    Button18 = button(QStringLiteral("Button18"), QStringLiteral("Охрана"), QString(), 0);
    Button19 = button(QStringLiteral("Button19"), QStringLiteral("Наблюдение"), QString(), 0);
    Button22 = button(QStringLiteral("Button22"), QStringLiteral("Защита"), QString(), 0);
    connect(Button18, &QPushButton::clicked, this, &MainStatusPage::Button18Click);
    connect(Button19, &QPushButton::clicked, this, &MainStatusPage::Button19Click);
    connect(Button22, &QPushButton::clicked, this, &MainStatusPage::Button22Click);
    auto* row = new QHBoxLayout(GroupBoxMode);
    row->addWidget(Button18);
    row->addWidget(Button19);
    row->addWidget(Button22);
    GroupBoxMode->hide();
}

void MainStatusPage::prepare(int pageIndex) {
    (void)pageIndex;
    // The indicators and buttons of the full controller: inputs 13..16 and
    // outputs 3..5 (hidden in the smaller variants) are always offered.
    for (int i = 12; i < kInputs; ++i) {
        PanelLed[i]->show();
        inputCaptions[i]->show();
    }
    for (int i : {13, 14, 15, 9})
        inputButtons[i]->show();
    for (int o = 4; o < kOutputs; ++o) {
        PanelOut[o]->show();
        outputCaptions[o]->show();
        onButtons[o]->show();
        offButtons[o]->show();
    }
    ComboBoxTestOut->clear();
    ComboBoxTestOut->addItems(texts_.OutputNames);
    ComboBoxTestOut->setCurrentIndex(0);
    const int scenarios = ComboBoxTestScen->count();
    for (int k = 0; k < scenarios; ++k)
        ComboBoxTestScen->setItemText(k, texts_.OutputActionNames.value(3 + k));
    ComboBoxTestScen->setCurrentIndex(0);
    ActionName->setText(QString());
}

void MainStatusPage::showSignalLevel(std::uint8_t value) {
    ProgressBarSignalQuality->setValue(value & 0x1F);
}

void MainStatusPage::showGsmState(const QStringList& gsmTexts, int state) {
    LabelGSMState->setText(GsmStateText(gsmTexts, state));
}

void MainStatusPage::clearGsmState() {
    LabelGSMState->setText(QString());
}

void MainStatusPage::showPerimeterModes(std::uint8_t modes) {
    for (int p = 1; p <= kPerimeters; ++p) {
        QLabel* panel = PanelPArmDisarmStatus[p - 1];
        const int mode = PerimeterMode(modes, p);
        panel->setText(PerimeterModeText(mode));
        QColor colour = ButtonFaceColour();
        if (mode == 2)
            colour = WarningColour();
        else if (mode == 1 && indicatorColour(panel) == ButtonFaceColour())
            colour = WarningColour(); // blinks once per polling cycle
        setIndicatorColour(panel, colour);
    }
}

void MainStatusPage::showInputStates(std::uint16_t mask) {
    for (int i = 0; i < kInputs; ++i)
        setIndicatorColour(PanelLed[i], (mask >> i) & 1 ? ActiveColour() : InactiveColour());
}

void MainStatusPage::showOutputStates(std::uint8_t mask) {
    for (int o = 0; o < kOutputs; ++o)
        setIndicatorColour(PanelOut[o], (mask >> o) & 1 ? ActiveColour() : InactiveColour());
}

void MainStatusPage::showBalance(bool valid, float value) {
    LabelBalans->setText(BalanceText(valid, value));
}

void MainStatusPage::showIdentification(const DeviceIdentity& identity) {
    GroupBoxIdentification->showIdentification(identity);
}

const DeviceIdentity& MainStatusPage::shownIdentification() const {
    return GroupBoxIdentification->identity();
}

void MainStatusPage::showAction(const QString& text, const QColor& colour) {
    QPalette pal = ActionName->palette();
    pal.setColor(QPalette::WindowText, colour);
    ActionName->setPalette(pal);
    ActionName->setText(text);
    ActionName->repaint();
}

QString MainStatusPage::supportAddress() {
    return QStringLiteral("support@rzn460.example");
}

QString MainStatusPage::supportSubject() const {
    const DeviceIdentity& id = shownIdentification();
    if (id.deviceName == QLatin1String(kNoIdentificationName))
        return QStringLiteral("RZN460, нет информации о версии устройства");
    const QString dash = QStringLiteral("-");
    return id.deviceName + dash + id.modification + dash + QStringLiteral("h") + id.hardware +
           dash + QStringLiteral("s") + id.firmware + dash + id.date + dash + id.countryCode +
           dash + QStringLiteral("d") + id.loader + dash + QStringLiteral("IDi:") + id.uniqueId +
           QStringLiteral("-IMEI:") + id.imei;
}

QUrl MainStatusPage::supportMailUrl() const {
    // The subject travels as it is; only what a URL cannot carry (blanks, the
    // line break, '+', '&') is percent-encoded, which the mail program undoes.
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(supportAddress());
    url.setQuery(QStringLiteral("subject=") +
                     QString::fromLatin1(QUrl::toPercentEncoding(supportSubject())),
                 QUrl::StrictMode);
    return url;
}

int MainStatusPage::senderTag() const {
    const QObject* s = sender();
    return s ? s->property(kTagProperty).toInt() : 0;
}

ControlCommand MainStatusPage::runScenarioCommand() const {
    return {ControlCommand::OutputAction,
            static_cast<std::uint8_t>(ComboBoxTestOut->currentIndex()),
            static_cast<std::uint8_t>(ComboBoxTestScen->currentIndex() +
                                      ControlCommand::kFirstScenario)};
}

ControlCommand MainStatusPage::perimeterCommand(bool arm) const {
    return {arm ? ControlCommand::ArmPerimeter : ControlCommand::DisarmPerimeter,
            static_cast<std::uint8_t>(ComboBoxSelectedPerim->currentIndex()), 0};
}

void MainStatusPage::Button4Click() {
    emit commandRequested({ControlCommand::OutputAction, static_cast<std::uint8_t>(senderTag()),
                           ControlCommand::kSwitchOn});
}

void MainStatusPage::Button5Click() {
    emit commandRequested({ControlCommand::OutputAction, static_cast<std::uint8_t>(senderTag()),
                           ControlCommand::kSwitchOff});
}

void MainStatusPage::Button20Click() {
    emit commandRequested(runScenarioCommand());
}

void MainStatusPage::Button18Click() {
    emit commandRequested(perimeterCommand(true));
}

void MainStatusPage::Button19Click() {
    emit commandRequested(perimeterCommand(false));
}

void MainStatusPage::Button22Click() {
    emit commandRequested({ControlCommand::ProtectionMode, 0, 0});
}

void MainStatusPage::Button25Click() {
    emit commandRequested(
        {ControlCommand::SimulateInput, static_cast<std::uint8_t>(senderTag()), 0});
}

void MainStatusPage::Button21Click() {
    QDesktopServices::openUrl(supportMailUrl());
}
