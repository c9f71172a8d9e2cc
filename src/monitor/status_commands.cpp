#include "monitor/status_commands.h"

#include "link/identification.h"
#include "link/run_transaction.h"
#include "link/tread_data.h"

namespace {

class HostSink : public IdentificationSink {
public:
    explicit HostSink(StatusCommandHost& host) : host_(host) {}
    void showStatus(const QString& text, StatusColour colour) override {
        host_.showStatus(text, colour);
    }
    void showIdentification(const DeviceIdentity& identity) override {
        host_.showIdentification(identity);
    }

private:
    StatusCommandHost& host_;
};

// Runs a command-kind transaction; `onStatus` (may be empty) receives its texts.
int Transact(StatusCommandHost& host, TransactionKind kind, QByteArray& payload,
             const StatusHandler& onStatus, QString* lastText = nullptr) {
    TReadData t(kind, reinterpret_cast<std::uint8_t*>(payload.data()),
                static_cast<int>(payload.size()), host.portName());
    t.setMessages(host.transactionMessages());
    if (SerialChannelFactory f = host.channelFactory())
        t.setChannelFactory(std::move(f));
    const int rc = RunAndWait(t, onStatus);
    if (lastText)
        *lastText = t.lastText();
    return rc;
}

} // namespace

QByteArray PasswordPayload(const QByteArray& password) {
    QByteArray bytes = password.left(8);
    bytes.resize(9, '\0');
    return bytes;
}

CommandOutcome RunStatusCommand(StatusCommandHost& host, const ControlCommand& command) {
    host.stopMonitoring();
    host.setBusy(true);
    const auto giveUp = [&host](CommandOutcome why) {
        host.setBusy(false);
        host.startMonitoring();
        return why;
    };

    HostSink sink(host);
    IdentifyOptions options;
    options.messages = host.transactionMessages();
    options.channelFactory = host.channelFactory();
    if (!IdentifyAndCheck(host.portName(), sink, options).supported())
        return giveUp(CommandOutcome::NotIdentified);

    const StatusHandler toStatusLine = [&host](const QString& text, StatusColour colour) {
        host.showStatus(text, colour);
    };
    QByteArray password = PasswordPayload(host.password());
    if (Transact(host, TransactionKind::Password, password, toStatusLine) != 0)
        return giveUp(CommandOutcome::PasswordRefused);

    // The command's own texts go to a hidden label; only its last one is shown.
    QByteArray payload = command.payload();
    QString text;
    const int rc = Transact(host, TransactionKind::Control, payload, {}, &text);
    host.showCommandResult(text);
    host.startMonitoring();
    host.setBusy(false);
    return rc == 0 ? CommandOutcome::Sent : CommandOutcome::CommandFailed;
}
