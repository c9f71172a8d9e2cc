#include "monitor/monitor_display.h"

#include "monitor/live_displays.h"
#include "monitor/main_status_page.h"

#include <QColor>
#include <QDateTime>

namespace {
constexpr int kClockPage = 14;
constexpr int kPowerPage = 15;
constexpr int kFirstPerimeterPage = 16;
constexpr int kFirstInputPage = 21;
} // namespace

MonitorDisplay::MonitorDisplay(MainStatusPage* statusPage, MonitorWindowHooks hooks,
                               QObject* parent)
    : QObject(parent), statusPage_(statusPage), hooks_(std::move(hooks)) {}

QWidget* MonitorDisplay::page(int pageIndex) const {
    return hooks_.page ? hooks_.page(pageIndex) : nullptr;
}

void MonitorDisplay::setStatusPanel(int panel, const QString& text) {
    if (hooks_.setStatusPanel)
        hooks_.setStatusPanel(panel, text);
}

void MonitorDisplay::showIdentification(const DeviceIdentity& identity) {
    if (statusPage_)
        statusPage_->showIdentification(identity);
    setStatusPanel(2, identity.versionString());
}

void MonitorDisplay::showAction(const QString& text, StatusColour colour) {
    if (statusPage_)
        statusPage_->showAction(text, QColor(statusQtColour(colour)));
}

void MonitorDisplay::setIdentified(bool identified) {
    if (hooks_.identified)
        hooks_.identified(identified);
}

void MonitorDisplay::showRootStatus(const StatusBlock& block, const QStringList& gsmTexts) {
    live::showTemperature(page(kPowerPage), block.temperatureValid(), block.temperature());
    if (!statusPage_)
        return;
    statusPage_->showSignalLevel(block.signalByte());
    statusPage_->showGsmState(gsmTexts, block.gsmState());
    statusPage_->showPerimeterModes(block.perimeterModes());
    statusPage_->showInputStates(block.inputStates());
    statusPage_->showOutputStates(block.outputStates());
    statusPage_->showBalance(block.balanceValid(), block.balance());
}

void MonitorDisplay::showRootStatusFailed() {
    if (!statusPage_)
        return;
    statusPage_->showSignalLevel(0);
    statusPage_->clearGsmState();
    statusPage_->showPerimeterModes(0xFF);
    statusPage_->showInputStates(0);
    statusPage_->showOutputStates(0);
}

void MonitorDisplay::showPcTime() {
    live::showPcTime(page(kClockPage), QDateTime::currentDateTime());
}

void MonitorDisplay::showControllerTime(const std::array<std::uint8_t, 6>& clock) {
    live::showControllerTime(page(kClockPage), clock);
}

void MonitorDisplay::showPower(const StatusBlock& block) {
    QWidget* p = page(kPowerPage);
    live::showBattery(p, block.battery());
    live::showMainSupply(p, block.supply());
    live::showTemperature(p, block.temperatureValid(), block.temperature());
}

void MonitorDisplay::showPowerFailed() {
    QWidget* p = page(kPowerPage);
    live::showBattery(p, 0);
    live::showMainSupply(p, 0);
}

void MonitorDisplay::resetKeyIndicator() {
    live::setKeyIndicator(page(kFirstPerimeterPage), false);
}

void MonitorDisplay::showKeyPasswordRefused() {
    live::showPerimeterAction(page(kFirstPerimeterPage), live::KeyPasswordRefusedText());
}

void MonitorDisplay::showCapturedKey(const QString& code) {
    QWidget* p = page(kFirstPerimeterPage);
    live::setKeyIndicator(p, true);
    live::addCapturedKey(p, code);
}

void MonitorDisplay::showInputReading(int input, std::uint16_t value, bool valid) {
    // One panel serves all sixteen inputs: a reading of an input the user has
    // left meanwhile is not shown on the next one.
    if (hooks_.shownPage && hooks_.shownPage() != kFirstInputPage - 1 + input)
        return;
    live::showInputReading(page(kFirstInputPage), value, valid);
}

bool MonitorDisplay::editingControllerTime() const {
    return live::editingControllerTime(page(kClockPage));
}

QByteArray MonitorDisplay::passwordPayload() const {
    QByteArray bytes = hooks_.password ? hooks_.password() : QByteArray();
    bytes.resize(8, '\0');
    bytes.append('\0');
    return bytes;
}
