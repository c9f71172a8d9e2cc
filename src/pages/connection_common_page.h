#pragma once
// Page 1, "Общие параметры соединений": passwords, PIN, SMS centre, rotation of
// voice notifications, age limit of SMS commands and the balance check.
#include "pages/field_table.h"
#include "pages/page.h"

#include <memory>

class QCheckBox;
class QGroupBox;
class QRadioButton;
class LineEdit;
class MaskEdit;
class SelectList;

class ConnectionCommonPage : public Page {
    Q_OBJECT
public:
    explicit ConnectionCommonPage(const UiTexts& texts, QWidget* parent = nullptr);
    ~ConnectionCommonPage() override;

    void storePage(ConfigImage& image, int pageIndex) override;
    void loadPage(ConfigImage& image, int pageIndex) override;

    // The plain fields of the page (offsets are image offsets).
    static const std::vector<FieldSpec>& fieldSpecs();

    QGroupBox* GroupBox6;
    QCheckBox* CheckBoxSysPassword;
    QLabel* Label84;
    MaskEdit* MaskEditSysPassword;
    MaskEdit* MaskEditPIN;
    MaskEdit* MaskEditSMSCA;
    MaskEdit* MaskEditPassword;
    MaskEdit* MaskEditDTMFPass;
    QCheckBox* CheckBoxDTMFControlOnlyList;
    QCheckBox* CheckBoxControlOnlyList;
    QCheckBox* CheckBoxACK;
    SelectList* ComboBoxOutdatedMsgTime;

    QGroupBox* GroupBox13;
    QGroupBox* GroupBox16;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    MaskEdit* MaskEditBalansReqCMD;
    MaskEdit* MaskEditBalansIdWord;
    LineEdit* EditBalansMinVal;
    LineEdit* EditReqPeriodH;

    QGroupBox* GroupBox12;
    SelectList* ComboBoxDialPriority;
    SelectList* ComboBoxCall2CallPauseX10S;

    QGroupBox* GroupBoxOutDataParam;
    SelectList* ComboBoxDATAProtocol;

    QLabel* LabelSharedParWarningMsg;
    LineEdit* EditModBusAddress; // hidden, still stored and loaded

public slots:
    // Enables the password edit when the box is checked and shows the warning.
    void CheckBoxSysPasswordClick();
    // The balance templates.
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void RadioButton4Click();
    // Brings the Modbus address into 1..247 when the edit is left.
    void EditModBusAddressExit();

private:
    void setBalanceTemplate(const QString& command, const QString& keyWord);

    std::unique_ptr<FieldTable> fields_;
};
