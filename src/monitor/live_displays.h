#pragma once
// The live fields that sit on other pages than the root page: the clock page
// (14), the power page (15), the perimeter pages (16..19) and the input pages
// (21..36). Each operation finds its controls by their names under the page
// panel it is given and leaves out any control the panel does not have.
//
// What the pages offer for it:
//   clock page: MaskEditPCCurTime, MaskEditContrCurTime, and the boolean
//     property "EditingControllerTime" (true while the user edits the
//     controller time);
//   power page: Label17, ProgressBarBatCharge, LabelBatMsg, LabelMainPower,
//     ProgressBarMainPower, LabelTemperature, ProgressBarModemTemperature,
//     LabelTempCurVal;
//   perimeter pages: Label163, LabelPerimetersActionDiscription and the
//     invokable AddCapturedKey(QString);
//   input pages: ProgressBarCurrentVal and the invokable
//     UpdateInputReadout(bool) and UpdateActiveZoneColour(bool).
#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

class QWidget;

namespace live {

void showBattery(QWidget* panel, std::uint8_t value);
void showMainSupply(QWidget* panel, std::uint8_t deciVolts);
void showTemperature(QWidget* panel, bool valid, std::int8_t degrees);

bool editingControllerTime(const QWidget* clockPanel);
void showPcTime(QWidget* clockPanel, const QDateTime& now);
// Leaves the field alone while the user edits it.
void showControllerTime(QWidget* clockPanel, const std::array<std::uint8_t, 6>& clock);

// Label163 red while a key is presented, its parent's colour otherwise.
void setKeyIndicator(QWidget* perimeterPanel, bool keyPresented);
void showPerimeterAction(QWidget* perimeterPanel, const QString& text);
void addCapturedKey(QWidget* perimeterPanel, const QString& code);
// The text shown when the controller refuses the password on a perimeter page.
QString KeyPasswordRefusedText();

void showInputReading(QWidget* inputPanel, std::uint16_t value, bool valid);

} // namespace live
