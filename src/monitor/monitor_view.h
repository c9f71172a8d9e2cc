#pragma once
// What the monitoring thread shows and reads, seen from the thread. Every
// call is made on the UI thread (the thread hands its calls over); the view
// owns no state of the thread.
#include "link/device_id.h"
#include "link/transaction_messages.h"
#include "monitor/status_block.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class MonitorView {
public:
    virtual ~MonitorView() = default;

    // Status-bar panel 1 (port or "NC") and 3 (latest transaction text).
    virtual void setStatusPanel(int panel, const QString& text) = 0;
    // The identification labels and the version string (status-bar panel 2).
    virtual void showIdentification(const DeviceIdentity& identity) = 0;
    // The status line of the root page.
    virtual void showAction(const QString& text, StatusColour colour) = 0;
    // Outcome of every identification the thread makes.
    virtual void setIdentified(bool identified) = 0;

    // Page 0.
    virtual void showRootStatus(const StatusBlock& block, const QStringList& gsmTexts) = 0;
    virtual void showRootStatusFailed() = 0;
    // Page 14: the PC clock, and the controller clock bytes.
    virtual void showPcTime() = 0;
    virtual void showControllerTime(const std::array<std::uint8_t, 6>& clock) = 0;
    // Page 15: battery, supply and temperature; or zeroes after a failed read.
    virtual void showPower(const StatusBlock& block) = 0;
    virtual void showPowerFailed() = 0;
    // Pages 16..19: the key indicator back to normal, the refused-password
    // text, a captured key code.
    virtual void resetKeyIndicator() = 0;
    virtual void showKeyPasswordRefused() = 0;
    virtual void showCapturedKey(const QString& code) = 0;
    // Pages 21..36: the measured value of input n (1..16); `valid` false shows
    // 0 and marks the readout not valid.
    virtual void showInputReading(int input, std::uint16_t value, bool valid) = 0;

    // What a cycle needs to know of the window.
    virtual bool editingControllerTime() const = 0;
    // The administrative password as the password command carries it: image
    // bytes 20..27 and a zero byte.
    virtual QByteArray passwordPayload() const = 0;
};
