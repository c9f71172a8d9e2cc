#pragma once
// Page 10, "Общие параметры GPRS": access point, DNS servers, the event sources
// sent over GPRS, the connection strategy and its timing, and the delivery time
// shared by the three servers.
#include "pages/field_table.h"
#include "pages/page.h"

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;
class LineEdit;
class MaskEdit;
class SelectList;
class TriStateBox;

class GprsCommonPage : public Page {
    Q_OBJECT
public:
    explicit GprsCommonPage(const UiTexts& texts, QWidget* parent = nullptr);
    ~GprsCommonPage() override;

    void prepare(int pageIndex) override;
    void storePage(ConfigImage& image, int pageIndex) override;
    void loadPage(ConfigImage& image, int pageIndex) override;

    // The fields of the page (image offsets); Custom ones are converted here.
    static const std::vector<FieldSpec>& fieldSpecs();
    // A minutes edit as stored: its minutes div 5, limited to 1..252.
    static std::uint8_t minutesValue(const QString& text);

    LineEdit* EditAPN;
    LineEdit* EditGPRSUserName;
    LineEdit* EditGPRSPassword;
    MaskEdit* MaskEditDNS1;
    MaskEdit* MaskEditDNS2;
    SelectList* ComboBoxGPRSConnectionStrategy;
    SelectList* ComboBoxPingPeriod_min;
    SelectList* ComboBoxConnectingTryNum;
    MaskEdit* MaskEditBlockTimeAtConnFault_min;
    QLabel* Label147;
    MaskEdit* MaskEditConnectingPeriod_x5m;
    QLabel* Label146;
    SelectList* ComboBoxOnlineTime_min;
    QPushButton* Button41;
    SelectList* ComboBoxGPRSTranspWaitTime;
    QGroupBox* GroupBoxGPRSSources;
    std::array<TriStateBox*, 16> CheckBoxMaskGInput; // [n-1]: "CheckBoxMaskGInput<n>"
    std::array<QCheckBox*, 4> CheckBoxMaskGArm;      // [0] "CheckBoxMaskGArm", [p-1] "...Arm<p>"
    std::array<QCheckBox*, 4> CheckBoxMaskGDisarm;
    QCheckBox* CheckBoxMaskGRestrictedArm;
    QCheckBox* CheckBoxMaskGPwrBlcTermo;
    QCheckBox* CheckBoxMaskGTest;
    QCheckBox* CheckBoxMaskGProfile;

public slots:
    // Enables the period and duration controls the strategy uses.
    void ComboBoxGPRSConnectionStrategyChange();
    // Bring the minutes into 5..1260 when the edit is left.
    void MaskEditConnectingPeriod_x5mExit();
    void MaskEditBlockTimeAtConnFault_minExit();
    // "Значения по умолчанию": the strategy and its timing return to their defaults.
    void Button41Click();

private:
    void fillTimeLists();

    std::vector<QWidget*> shownOnEntry_;
    std::unique_ptr<FieldTable> fields_;
    // The image the page was last loaded from or stored to: the default
    // button stores, restores and reloads the page in it.
    ConfigImage* image_ = nullptr;
};
