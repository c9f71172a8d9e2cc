#pragma once
// The main status page (page 0, Panel10): the controller's live state (GSM,
// signal, balance, inputs, outputs, perimeter modes), its identification, the
// status line and progress of device operations, and the direct commands.
// The display operations run on the UI thread; the buttons only ask for a
// command (commandRequested), the window runs it.
#include "link/device_id.h"
#include "monitor/control_command.h"
#include "pages/page.h"

#include <QStringList>
#include <QUrl>
#include <array>
#include <cstdint>

class IdentificationGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

class MainStatusPage : public Page {
    Q_OBJECT
public:
    static constexpr int kInputs = 16;
    static constexpr int kOutputs = 7;
    static constexpr int kPerimeters = 4;

    explicit MainStatusPage(const UiTexts& texts, QWidget* parent = nullptr);

    void prepare(int pageIndex) override;

    // Display operations of the live values.
    void showSignalLevel(std::uint8_t value); // bits 0..4 used
    void showGsmState(const QStringList& gsmTexts, int state);
    void clearGsmState();
    void showPerimeterModes(std::uint8_t modes); // 0xFF empties all four
    void showInputStates(std::uint16_t mask);
    void showOutputStates(std::uint8_t mask);
    void showBalance(bool valid, float value);
    // The identification labels (received block or placeholder).
    void showIdentification(const DeviceIdentity& identity);
    const DeviceIdentity& shownIdentification() const;
    // The status line of device operations and identification problems.
    void showAction(const QString& text, const QColor& colour);

    // The support e-mail: address, and the subject built from what the
    // identification labels show.
    static QString supportAddress();
    QString supportSubject() const;
    QUrl supportMailUrl() const;

    // The command each button sends (read from its tag and the lists).
    ControlCommand runScenarioCommand() const;
    ControlCommand perimeterCommand(bool arm) const;

    // GSM group.
    QGroupBox* GroupBoxGSM = nullptr;
    QLabel* LabelGSMState = nullptr;
    QProgressBar* ProgressBarSignalQuality = nullptr;
    QLabel* LabelBalans = nullptr;

    // Inputs: PanelLed1..16 with Button25..Button40 under them.
    QGroupBox* GroupBoxInputIndicator = nullptr;
    std::array<QLabel*, kInputs> PanelLed{};
    std::array<QLabel*, kInputs> inputCaptions{}; // "1".."16" (Label214..Label217 for 13..16)
    std::array<QPushButton*, kInputs> inputButtons{};

    // Outputs: PanelOut1..7, "Вкл." Button4, 6, ..16 and "Выкл." Button5, 7, ..17.
    QGroupBox* GroupBoxOutputIndicator = nullptr;
    std::array<QLabel*, kOutputs> PanelOut{};
    std::array<QLabel*, kOutputs> outputCaptions{};
    std::array<QPushButton*, kOutputs> onButtons{};
    std::array<QPushButton*, kOutputs> offButtons{};

    // " Выполнить сценарий на выходе ".
    QGroupBox* GroupBoxTestScenario = nullptr;
    QComboBox* ComboBoxTestOut = nullptr;
    QComboBox* ComboBoxTestScen = nullptr;
    QPushButton* Button20 = nullptr;

    // " Режим периметров ".
    QGroupBox* GroupBoxPerimeters = nullptr;
    std::array<QLabel*, kPerimeters> PanelPArmDisarmStatus{}; // PanelP1ArmDisarmStatus..
    QComboBox* ComboBoxSelectedPerim = nullptr;
    QPushButton* Button23 = nullptr; // "Охрана"
    QPushButton* Button24 = nullptr; // "Наблюдение"

    // " Режим ", hidden: a second arm/disarm pair and "Защита".
    QGroupBox* GroupBoxMode = nullptr;
    QPushButton* Button18 = nullptr;
    QPushButton* Button19 = nullptr;
    QPushButton* Button22 = nullptr;

    IdentificationGroup* GroupBoxIdentification = nullptr;
    QPushButton* Button21 = nullptr; // support e-mail

    // Device operations: status line, block progress, the mode-memory option.
    QLabel* ActionName = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QCheckBox* CheckBoxClearSaveArea = nullptr;

signals:
    // A command button was pressed: the window stops monitoring, identifies,
    // logs in and sends it.
    void commandRequested(const ControlCommand& command);

public slots:
    void Button4Click();  // "Вкл." of the output in the sender's tag
    void Button5Click();  // "Выкл."
    void Button20Click(); // run the selected scenario on the selected output
    void Button18Click(); // arm the selected perimeter
    void Button19Click(); // disarm it
    void Button22Click(); // protection mode
    void Button25Click(); // simulate the input in the sender's tag
    void Button21Click(); // support e-mail

private:
    void buildGsmGroup();
    void buildInputGroup();
    void buildOutputGroup();
    void buildScenarioGroup();
    void buildPerimeterGroup();
    void buildModeGroup();
    int senderTag() const;
};
