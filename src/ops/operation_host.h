#pragma once
// What a device operation needs from whoever runs it. The sequences in
// configuration_transfers.h and system_parameter_transfers.h are written once
// against these interfaces: the main window implements them with its controls,
// timers and dialogs; a command-line tool implements them with a terminal.
#include "config/config_image.h"
#include "link/device_id.h"
#include "link/hardware_fit.h"
#include "link/serial_channel.h"
#include "link/transaction_messages.h"

#include <QString>
#include <QStringList>

class OperationHost {
public:
    virtual ~OperationHost() = default;

    // The line and the texts of every transaction.
    virtual QString portName() const = 0;
    // The twenty status texts in use; empty = the built-in ones.
    virtual QStringList transactionMessages() const { return {}; }
    // The channel transactions use; empty = the default serial port.
    virtual SerialChannelFactory channelFactory() const { return {}; }

    // The configuration the operations transfer.
    virtual ConfigImage& image() = 0;

    // Monitoring: stop = request its end and wait for it; start = a new one.
    virtual void stopMonitoring() = 0;
    virtual void startMonitoring() = 0;
    // Shows the root page; leaving the visible page stores it into the image.
    virtual void selectRootPage() = 0;
    // The busy state: the device and file commands are off, the window cannot
    // be closed.
    virtual void setBusy(bool busy) = 0;
    // After a restart: leave the busy state and start monitoring once `ms`
    // milliseconds have passed (the controller needs that time to come back).
    virtual void resumeAfter(int ms) = 0;

    // The operation's status line and progress.
    virtual void showStatus(const QString& text, StatusColour colour) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    // The identification of the controller (or the placeholder of dashes) and
    // the version string derived from it.
    virtual void showIdentification(const DeviceIdentity& identity) = 0;
    // The name shown for the configuration file.
    virtual void setConfigFileName(const QString& name) = 0;

    // Whether programming also clears the controller's mode memory.
    virtual bool clearModesMemory() const = 0;
    // The configuration cannot run on this hardware: show where and why.
    virtual void reportMisfit(const HardwareFit& fit) = 0;
    // The controller refused the empty password: count down while the
    // controller stays connected; true when the countdown completed, false when
    // it was cancelled or the controller was lost. Monitoring runs meanwhile.
    virtual bool factoryResetCountdown() = 0;
    virtual void copyToClipboard(const QString& text) = 0;
};

// The system parameters page's side of its two transfers.
class SystemParametersView {
public:
    virtual ~SystemParametersView() = default;

    // The page's controls into the image, and the image into the controls.
    virtual void storePage() = 0;
    virtual void loadPage() = 0;
    // The page's own status line and progress bar.
    virtual void showStatus(const QString& text, StatusColour colour) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    // Programming becomes possible once the parameters were read.
    virtual void enableProgramming() = 0;
};
