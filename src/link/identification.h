#pragma once
// The identification prologue every device operation, the monitoring thread
// and the command-line tool share: run the identification transaction, show
// the block (or the placeholder after a failure), then check device and
// version. What "show" means is the caller's: it implements IdentificationSink.
// The sink is called on the calling thread, also while the transaction runs.
#include "link/device_id.h"
#include "link/serial_channel.h"
#include "link/transaction_messages.h"

#include <QString>
#include <QStringList>

enum class IdentifyOutcome {
    Supported,           // go on
    NoIdentification,    // the transaction failed; its red text was shown
    DeviceNotSupported,  // "Устройство ... не поддерживается" was shown
    VersionNotSupported, // "Версия ... не поддерживается" was shown
};

class IdentificationSink {
public:
    virtual ~IdentificationSink() = default;
    // The operation's status label: the transaction's texts as they come.
    virtual void showStatus(const QString& text, StatusColour colour) = 0;
    // The identification labels and the version string (status-bar panel 2).
    // Called with the received block, or with the placeholder after a failure.
    virtual void showIdentification(const DeviceIdentity& identity) = 0;
    // The refusal texts of the device and version checks. By default they go to
    // the status label; a caller may route them elsewhere.
    virtual void showRefusal(IdentifyOutcome why, const QString& text, StatusColour colour) {
        (void)why;
        showStatus(text, colour);
    }
};

struct IdentifyOptions {
    // The twenty status texts (the main window's table); empty = built-in texts.
    QStringList messages;
    // false: a refusal keeps the colour the identification left (blue), as the
    // device operations show it; the monitoring thread asks for red.
    bool refusalInRed = false;
    // Empty = DefaultSerialChannelFactory().
    SerialChannelFactory channelFactory;
};

struct IdentifyResult {
    IdentifyOutcome outcome = IdentifyOutcome::NoIdentification;
    DeviceIdentity identity; // what was shown
    QString transactionText; // the last text of the transaction
    StatusColour transactionColour = StatusColour::Progress;

    bool supported() const { return outcome == IdentifyOutcome::Supported; }
};

// Runs the identification transaction (kind 3) on `portName` and waits for it
// in a local event loop, then shows and checks as described above.
IdentifyResult IdentifyAndCheck(const QString& portName, IdentificationSink& sink,
                                const IdentifyOptions& options = {});

// The checks alone, on an identity already shown.
IdentifyOutcome CheckIdentity(const DeviceIdentity& identity);
