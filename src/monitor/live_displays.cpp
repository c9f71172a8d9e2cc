#include "monitor/live_displays.h"

#include "monitor/indicator.h"
#include "monitor/status_format.h"
#include "widgets/mask_edit.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QWidget>
#include <algorithm>

namespace live {

namespace {

template <typename T> T* find(QWidget* panel, const char* name) {
    return panel ? panel->findChild<T*>(QLatin1String(name)) : nullptr;
}

void setText(QWidget* panel, const char* name, const QString& text) {
    if (auto* l = find<QLabel>(panel, name))
        l->setText(text);
}

void setBar(QWidget* panel, const char* name, int value) {
    if (auto* b = find<QProgressBar>(panel, name))
        b->setValue(std::clamp(value, b->minimum(), b->maximum()));
}

void setEditText(QWidget* panel, const char* name, const QString& text) {
    if (auto* m = find<MaskEdit>(panel, name))
        m->setMaskedText(text);
    else if (auto* e = find<QLineEdit>(panel, name))
        e->setText(text);
}

// Calls `method(arg)` on the panel when the panel offers it.
template <typename A> void invoke(QWidget* panel, const char* method, const char* argType, A arg) {
    if (!panel)
        return;
    const QByteArray signature = QByteArray(method) + '(' + argType + ')';
    if (panel->metaObject()->indexOfMethod(QMetaObject::normalizedSignature(signature)) < 0)
        return;
    QMetaObject::invokeMethod(panel, method, Qt::DirectConnection, QArgument<A>(argType, arg));
}

} // namespace

void showBattery(QWidget* panel, std::uint8_t value) {
    const BatteryDisplay d = BatteryDisplayFor(value);
    setText(panel, "Label17", d.percent);
    setBar(panel, "ProgressBarBatCharge", d.bar);
    setText(panel, "LabelBatMsg", d.message);
}

void showMainSupply(QWidget* panel, std::uint8_t deciVolts) {
    const SupplyDisplay d = SupplyDisplayFor(deciVolts);
    setText(panel, "LabelMainPower", d.text);
    setBar(panel, "ProgressBarMainPower", d.bar);
}

void showTemperature(QWidget* panel, bool valid, std::int8_t degrees) {
    const TemperatureDisplay d = TemperatureDisplayFor(valid, degrees);
    setText(panel, "LabelTemperature", d.caption);
    if (auto* bar = find<QProgressBar>(panel, "ProgressBarModemTemperature")) {
        if (d.barVisible)
            bar->setValue(std::clamp(d.bar, bar->minimum(), bar->maximum()));
        bar->setVisible(d.barVisible);
    }
    setText(panel, "LabelTempCurVal", d.value);
}

bool editingControllerTime(const QWidget* clockPanel) {
    return clockPanel && clockPanel->property("EditingControllerTime").toBool();
}

void showPcTime(QWidget* clockPanel, const QDateTime& now) {
    setEditText(clockPanel, "MaskEditPCCurTime", PcTimeText(now));
}

void showControllerTime(QWidget* clockPanel, const std::array<std::uint8_t, 6>& clock) {
    if (editingControllerTime(clockPanel))
        return;
    setEditText(clockPanel, "MaskEditContrCurTime", ControllerTimeText(clock));
}

void setKeyIndicator(QWidget* perimeterPanel, bool keyPresented) {
    auto* label = find<QLabel>(perimeterPanel, "Label163");
    if (!label)
        return;
    if (keyPresented) {
        label->setAutoFillBackground(true);
        setIndicatorColour(label, WarningColour());
    } else {
        // Back to its parent's colour.
        label->setAutoFillBackground(false);
        if (QWidget* parent = label->parentWidget())
            setIndicatorColour(label, parent->palette().color(parent->backgroundRole()));
    }
}

void showPerimeterAction(QWidget* perimeterPanel, const QString& text) {
    setText(perimeterPanel, "LabelPerimetersActionDiscription", text);
}

void addCapturedKey(QWidget* perimeterPanel, const QString& code) {
    invoke(perimeterPanel, "AddCapturedKey", "QString", code);
}

QString KeyPasswordRefusedText() {
    return QStringLiteral("Взаимодействие запрещено без указания пароля, программа не сможет "
                          "получить код ключа");
}

void showInputReading(QWidget* inputPanel, std::uint16_t value, bool valid) {
    setBar(inputPanel, "ProgressBarCurrentVal", valid ? value : 0);
    invoke(inputPanel, "UpdateInputReadout", "bool", valid);
    invoke(inputPanel, "UpdateActiveZoneColour", "bool", valid);
}

} // namespace live
