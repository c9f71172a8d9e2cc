#pragma once
// Pages 2..9, "Соединение 1" .. "Соединение 8": one connection record each,
// connection N = page - 1 at image offset 68 + 36 * (N - 1).
#include "pages/field_table.h"
#include "pages/page.h"

#include <array>
#include <memory>

class QCheckBox;
class QGroupBox;
class MaskEdit;
class SelectList;
class TriStateBox;

class ConnectionPage : public Page {
    Q_OBJECT
public:
    explicit ConnectionPage(const UiTexts& texts, QWidget* parent = nullptr);
    ~ConnectionPage() override;

    void prepare(int pageIndex) override;
    void storePage(ConfigImage& image, int pageIndex) override;
    void loadPage(ConfigImage& image, int pageIndex) override;

    // The plain fields of a connection record (offsets from the record start).
    static const std::vector<FieldSpec>& fieldSpecs();
    // Image offset of the record that page `pageIndex` (2..9) shows.
    static std::size_t recordOffset(int pageIndex);

    QLabel* Label75;
    MaskEdit* MaskEditPhone;
    QLabel* Label161;
    SelectList* ComboBoxGroupNum;
    QLabel* Label85;
    SelectList* ComboBoxTransportPriority;
    QLabel* Label32;
    SelectList* ComboBoxIncomungCallAction;
    QGroupBox* GroupBoxInCallToOutsAction;
    SelectList* ComboBoxICToOUOutN;
    SelectList* ComboBoxICToOUScnN;

    // Voice notification.
    QGroupBox* GroupBoxConSharD;
    QCheckBox* CheckBoxCallEn;
    SelectList* ComboBoxDialTranspWaitTime;
    SelectList* ComboBoxOnLineTime;
    QCheckBox* CheckBoxNotACK;
    QLabel* LabelConnType;
    SelectList* ComboBoxConnectionType;
    QGroupBox* GroupBoxConDial;
    std::array<TriStateBox*, 16> CheckBoxMaskDInput; // [n-1]: "CheckBoxMaskDInput<n>"
    std::array<QCheckBox*, 4> CheckBoxMaskDArm;      // [0] "CheckBoxMaskDArm", [p-1] "...Arm<p>"
    std::array<QCheckBox*, 4> CheckBoxMaskDDisarm;
    QCheckBox* CheckBoxMaskCRestrictedArm; // never shown
    QCheckBox* CheckBoxMaskDPower;
    QCheckBox* CheckBoxMaskDTest;
    QCheckBox* CheckBoxMaskDGPS; // never shown

    // SMS.
    QGroupBox* GroupBoxConSharS;
    QCheckBox* CheckBoxSMSEn;
    SelectList* ComboBoxSMSTranspWaitTime;
    QLabel* LabelProtocolAlias;
    SelectList* ComboBoxLang;
    SelectList* ComboBoxUserId;
    QCheckBox* CheckBoxDebugMode;
    QCheckBox* CheckBoxJointUse;
    QGroupBox* GroupBoxConSMS;
    std::array<TriStateBox*, 16> CheckBoxMaskSInput;
    std::array<QCheckBox*, 4> CheckBoxMaskSArm;
    std::array<QCheckBox*, 4> CheckBoxMaskSDisarm;
    QCheckBox* CheckBoxMaskSRestrictedArm; // never shown
    QCheckBox* CheckBoxMaskSPower;
    QCheckBox* CheckBoxMaskSTest;
    QCheckBox* CheckBoxMaskSGPS; // never shown
    QCheckBox* CheckBoxMaskSProfile;

    // The boxes of the voice group in their child order, which decides the
    // box that "Голосовое KX" keeps when it is chosen.
    const std::vector<QCheckBox*>& voiceGroupOrder() const { return voiceOrder_; }
    // The tag of a voice-group box: boxes with the same tag may be on together
    // under "Голосовое KX".
    static int voiceTag(const QCheckBox* box);

public slots:
    // The reaction list shows its long item text as a tooltip.
    void ComboBoxIncomungCallActionChange();
    // Under "Голосовое KX" a user click on a voice box clears every box of the
    // group with another tag.
    void CheckBoxMaskDInput1Click(QCheckBox* box);
    // Choosing "Голосовое KX" keeps the first box in use (and its kind) and
    // marks a rejected call as delivered.
    void ComboBoxConnectionTypeChange();

private:
    void buildVoiceGroup();
    void buildSmsGroup();
    void applyExclusivity(QCheckBox* box);

    std::vector<QCheckBox*> voiceOrder_;
    std::vector<QWidget*> shownOnEntry_;
    std::unique_ptr<FieldTable> fields_;
};
