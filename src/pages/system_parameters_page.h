#pragma once
// Page 55, "Системные параметры": per-unit values set at production, kept at
// image offsets 5304..5327 apart from the configuration. The page edits the
// clock calibration (interval and direction), the backup battery type and two
// flags; its two buttons read and program the 24 bytes directly (the window
// connects them to the transfers). A cover panel hides the controls until the
// user asks to edit.
#include "link/transaction_messages.h"
#include "pages/field_table.h"
#include "pages/page.h"

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;
class SelectList;

class SystemParametersPage : public Page {
    Q_OBJECT
public:
    explicit SystemParametersPage(const UiTexts& texts, QWidget* parent = nullptr);
    ~SystemParametersPage() override;

    void storePage(ConfigImage& image, int pageIndex) override;
    void loadPage(ConfigImage& image, int pageIndex) override;

    static const std::vector<FieldSpec>& fieldSpecs();
    // The calibration interval occupies bits 0..16 of the 32-bit value at 5304.
    static constexpr std::uint32_t kCalibrationMask = 0x1FFFF;

    // The transfer status line: text in the colour of its kind.
    void showMessage(const QString& text, StatusColour colour);
    void showProgress(int position, int maximum);

    QLineEdit* EditCALVAL;
    SelectList* ComboBoxCALDIR;
    SelectList* ComboBoxBatteryType;
    QCheckBox* CheckBoxFWUpdateEnable;
    QCheckBox* CheckBoxCRCCheckDisable;
    QPushButton* BitBtnReadSysPar;
    QPushButton* BitBtnProgSysPar;
    QProgressBar* ProgressBarSysPar;
    QLabel* LabelSysParMsg;
    QPushButton* Button1;
    QWidget* Panel13;

public slots:
    // "Разрешить редактирование": the cover goes away for good.
    void Button1Click();

private:
    std::unique_ptr<FieldTable> fields_;
};
