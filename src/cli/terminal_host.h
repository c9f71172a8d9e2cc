#pragma once
// The command-line tool's side of the device operations: status texts and
// progress on standard error, the working configuration in memory, nothing of
// a window. It remembers what the operation showed, so the tool can tell why
// an operation failed.
#include "ops/operation_host.h"

#include <QTextStream>

class TerminalHost : public OperationHost {
public:
    TerminalHost(const QString& portName, bool clearModes);

    QString portName() const override { return port_; }
    ConfigImage& image() override { return image_; }

    void stopMonitoring() override {}
    void startMonitoring() override {}
    void selectRootPage() override {}
    void setBusy(bool) override {}
    void resumeAfter(int) override {}

    void showStatus(const QString& text, StatusColour colour) override;
    void showProgress(int position, int maximum) override;
    void showIdentification(const DeviceIdentity& identity) override;
    void setConfigFileName(const QString&) override {}
    bool clearModesMemory() const override { return clearModes_; }
    void reportMisfit(const HardwareFit& fit) override;
    // The command-line tool offers no factory reset: never confirmed.
    bool factoryResetCountdown() override { return false; }
    void copyToClipboard(const QString& text) override { clipboard_ = text; }

    // Texts go nowhere (used while waiting for a controller).
    void setQuiet(bool quiet) { quiet_ = quiet; }
    // Forgets what the previous operation showed.
    void clearRecord();

    const DeviceIdentity& identity() const { return identity_; }
    bool identified() const; // a real identification block was shown
    bool misfit() const { return misfit_; }
    const QString& lastStatus() const { return lastStatus_; }
    const QString& clipboard() const { return clipboard_; }

private:
    void endProgressLine();

    QString port_;
    bool clearModes_;
    ConfigImage image_;
    bool quiet_ = false;
    bool tty_ = false;
    bool progressShown_ = false;
    QTextStream err_;
    DeviceIdentity identity_;
    bool misfit_ = false;
    QString lastStatus_;
    QString clipboard_;
};
