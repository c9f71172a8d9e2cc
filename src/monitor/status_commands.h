#pragma once
// The direct commands of the root page: one control command sent to the
// running controller. The sequence: stop monitoring, busy state, identify and
// check, log in with the administrative password, send the command, show its
// outcome in status-bar panel 3, restart monitoring and leave the busy state.
// Written against a small host interface so that any front end can run it.
#include "link/device_id.h"
#include "link/serial_channel.h"
#include "link/transaction_messages.h"
#include "monitor/control_command.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class StatusCommandHost {
public:
    virtual ~StatusCommandHost() = default;

    virtual QString portName() const = 0;
    // The twenty status texts in use; empty = the built-in ones.
    virtual QStringList transactionMessages() const { return {}; }
    // The channel of the transactions; empty = the default serial port.
    virtual SerialChannelFactory channelFactory() const { return {}; }
    // Image bytes 20..27: the administrative password.
    virtual QByteArray password() const = 0;

    virtual void stopMonitoring() = 0;
    virtual void startMonitoring() = 0;
    virtual void setBusy(bool busy) = 0;
    // The root page's status line (ActionName).
    virtual void showStatus(const QString& text, StatusColour colour) = 0;
    // The identification labels and the version string.
    virtual void showIdentification(const DeviceIdentity& identity) = 0;
    // Status-bar panel 3: the text of the command transaction.
    virtual void showCommandResult(const QString& text) = 0;
};

enum class CommandOutcome {
    Sent,            // the controller accepted the command
    NotIdentified,   // no (supported) controller: nothing more was sent
    PasswordRefused, // the log-in failed: the command was not sent
    CommandFailed,   // the command transaction failed
};

CommandOutcome RunStatusCommand(StatusCommandHost& host, const ControlCommand& command);

// The password transaction's payload: the 8 password bytes and a zero byte.
QByteArray PasswordPayload(const QByteArray& password);
