#include "pages/system_parameters_page.h"

#include "config/image_layout.h"
#include "pages/form_builder.h"
#include "widgets/line_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

using form::make;

namespace {

constexpr std::size_t kCalibration = layout::kSystemParametersOffset; // 32-bit value
constexpr std::size_t kDirection = kCalibration + 2;                  // bit 1 = bit 17 of it
constexpr std::size_t kBattery = kCalibration + 4;
constexpr std::size_t kFirmwareUpdate = kCalibration + 5;
constexpr std::size_t kKeyCrc = kCalibration + 6;

const char* const kCoverTexts[] = {
    "Системные параметры имеют индивидуальные значения для каждого экземпляра устройства и "
    "устанавливаются при производстве. Если необходимо изменить любой из этих параметров, "
    "считайте предустановленные значения, после изменения запрограммируйте.",
    "Для того, что бы новые значения вступили в силу необходимо перезапустить устройство. Для "
    "этого отключите и включите питание устройства или нажмите кнопку [Перезапустить].",
    "Эти значения не сохраняются в файле конфигурации и ни как не связанны с конфигурационными "
    "параметрами. Программирование доступно только из этого режима и ни как не влияет на "
    "конфигурацию прибора, так же как и конфигурирование не изменяет эти значения.",
};

} // namespace

const std::vector<FieldSpec>& SystemParametersPage::fieldSpecs() {
    static const std::vector<FieldSpec> specs = {
        // Bits 0..16 of the 32-bit value; bits 17..31 are not the edit's.
        customField("EditCALVAL", kCalibration, 3),
        listField("ComboBoxCALDIR", kDirection, 1, 1),
        listField("ComboBoxBatteryType", kBattery, 0, 0),
        checkField("CheckBoxFWUpdateEnable", kFirmwareUpdate, 0),
        checkField("CheckBoxCRCCheckDisable", kKeyCrc, 0),
    };
    return specs;
}

SystemParametersPage::SystemParametersPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("Panel11"), texts, parent) {
    auto* top = new QVBoxLayout(this);
    top->addWidget(makeTitle(QStringLiteral("Label86")));

    // The editing controls, with the cover lying over them in the same cell.
    auto* content = make<QWidget>("PanelSysParContent");
    auto* fields = new QVBoxLayout(content);
    fields->setContentsMargins(0, 0, 0, 0);

    auto* calibration = form::group("GroupBoxCalibration", " Калибровочное значение хода часов ");
    EditCALVAL = make<LineEdit>("EditCALVAL");
    EditCALVAL->setFixedWidth(form::textWidth(EditCALVAL, 10));
    ComboBoxCALDIR =
        make<SelectList>("ComboBoxCALDIR", QStringList{QStringLiteral("добавить 1 секунду"),
                                                       QStringLiteral("вычесть 1 секунду")});
    auto* calRow = new QHBoxLayout(calibration);
    calRow->addWidget(form::label("LabelCALEvery", QStringLiteral("Каждые ")));
    calRow->addWidget(EditCALVAL);
    calRow->addWidget(form::label("LabelCALSeconds", QStringLiteral("секунд, ")));
    calRow->addWidget(ComboBoxCALDIR);
    calRow->addStretch();
    fields->addWidget(calibration);

    auto* battery = form::group("GroupBoxBatteryType", " Тип резервной батареи ");
    ComboBoxBatteryType =
        make<SelectList>("ComboBoxBatteryType",
                         QStringList{QStringLiteral("Литий-фосфатная LiFePO4 - (12В; 1,3 А/ч)"),
                                     QStringLiteral("Свинцово-кислотная Pb (12В; от 3,5 А/ч)")});
    ComboBoxBatteryType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* batteryRow = new QHBoxLayout(battery);
    batteryRow->addWidget(ComboBoxBatteryType);
    batteryRow->addStretch();
    fields->addWidget(battery);

    CheckBoxFWUpdateEnable = make<QCheckBox>(
        "CheckBoxFWUpdateEnable",
        QStringLiteral("Разрешено входить в режим обновления микропрограммы GSM модуля"));
    CheckBoxCRCCheckDisable =
        make<QCheckBox>("CheckBoxCRCCheckDisable",
                        QStringLiteral("Не проверять CRC при считывании ключей TouchMemory"));
    fields->addWidget(CheckBoxFWUpdateEnable);
    fields->addWidget(CheckBoxCRCCheckDisable);

    BitBtnReadSysPar = make<QPushButton>("BitBtnReadSysPar", QStringLiteral("Считать"));
    BitBtnProgSysPar = make<QPushButton>("BitBtnProgSysPar", QStringLiteral("Программировать"));
    BitBtnProgSysPar->setEnabled(false); // until the parameters were read
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnReadSysPar);
    buttons->addWidget(BitBtnProgSysPar);
    buttons->addStretch();
    fields->addLayout(buttons);
    ProgressBarSysPar = make<QProgressBar>("ProgressBarSysPar");
    ProgressBarSysPar->setRange(0, 100);
    ProgressBarSysPar->setValue(0);
    ProgressBarSysPar->setTextVisible(false);
    fields->addWidget(ProgressBarSysPar);
    LabelSysParMsg = form::label("LabelSysParMsg", QString(), true);
    fields->addWidget(LabelSysParMsg);
    fields->addStretch();

    Panel13 = make<QWidget>("Panel13");
    Panel13->setAutoFillBackground(true);
    auto* cover = new QVBoxLayout(Panel13);
    cover->addStretch();
    int n = 1;
    for (const char* text : kCoverTexts) {
        QLabel* l = form::label(QStringLiteral("LabelCover%1").arg(n++).toLatin1().constData(),
                                QString::fromUtf8(text), true);
        l->setAlignment(Qt::AlignCenter);
        cover->addWidget(l);
        cover->addSpacing(12);
    }
    cover->addStretch();

    auto* area = new QGridLayout;
    area->addWidget(content, 0, 0);
    area->addWidget(Panel13, 0, 0);
    Panel13->raise();
    top->addLayout(area, 1);

    Button1 = make<QPushButton>("Button1", QStringLiteral("Разрешить редактирование"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addStretch();
    top->addLayout(bottom);

    connect(Button1, &QPushButton::clicked, this, &SystemParametersPage::Button1Click);
    fields_ = std::make_unique<FieldTable>(this, fieldSpecs());
}

SystemParametersPage::~SystemParametersPage() = default;

void SystemParametersPage::storePage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    const QString text = fieldtext::trim(EditCALVAL->text(), Trim::Both);
    EditCALVAL->setText(text);
    const int v = fieldtext::toIntOr(text, 0);
    // Above the largest interval: all 17 bits set; otherwise the low 17 bits,
    // so a negative number wraps.
    const std::uint32_t interval = v > static_cast<int>(kCalibrationMask)
                                       ? kCalibrationMask
                                       : static_cast<std::uint32_t>(v) & kCalibrationMask;
    image.setU32(kCalibration, (image.u32(kCalibration) & ~kCalibrationMask) | interval);
    fields_->store(image, 0);
}

void SystemParametersPage::loadPage(ConfigImage& image, int pageIndex) {
    (void)pageIndex;
    EditCALVAL->setText(QString::number(image.u32(kCalibration) & kCalibrationMask));
    fields_->load(image, 0);
}

void SystemParametersPage::showMessage(const QString& text, StatusColour colour) {
    LabelSysParMsg->setText(text);
    QPalette pal = LabelSysParMsg->palette();
    pal.setColor(QPalette::WindowText, statusQtColour(colour));
    LabelSysParMsg->setPalette(pal);
    LabelSysParMsg->repaint();
}

void SystemParametersPage::showProgress(int position, int maximum) {
    ProgressBarSysPar->setMaximum(maximum);
    ProgressBarSysPar->setValue(position);
}

void SystemParametersPage::Button1Click() {
    Panel13->hide();
    Button1->setEnabled(false);
}
