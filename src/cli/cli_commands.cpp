#include "cli/cli_commands.h"

#include "cli/status_report.h"
#include "cli/terminal_host.h"
#include "config/config_file.h"
#include "link/identification.h"
#include "ops/configuration_transfers.h"
#include "ops/transfer_steps.h"

#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <atomic>

namespace {

std::atomic<bool> g_stop{false};

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

void error(const QString& text) {
    QTextStream err(stderr);
    err << text << '\n';
}

// Why an operation that returned false failed.
int failureStatus(const TerminalHost& host) {
    if (host.misfit())
        return cli_exit::BadInput;
    if (host.identified() && CheckIdentity(host.identity()) != IdentifyOutcome::Supported)
        return cli_exit::Unsupported;
    return cli_exit::LinkFailure;
}

int statusOf(bool ok, const TerminalHost& host) {
    return ok ? cli_exit::Ok : failureStatus(host);
}

// The identification shown on one line: blanks and line breaks folded.
QString oneLine(const QString& text) {
    return text.simplified();
}

IdentifyResult identify(TerminalHost& host) {
    ops::HostIdentificationSink sink(host);
    IdentifyOptions options;
    options.refusalInRed = true;
    return IdentifyAndCheck(host.portName(), sink, options);
}

int runIdentify(TerminalHost& host) {
    const IdentifyResult r = identify(host);
    if (r.outcome == IdentifyOutcome::NoIdentification)
        return cli_exit::LinkFailure;
    const DeviceIdentity& id = r.identity;
    const struct {
        const char* key;
        QString value;
    } rows[] = {
        {"device", id.deviceName},
        {"modification", id.modification},
        {"hardware", id.hardware},
        {"firmware", id.firmware},
        {"loader", id.loader},
        {"date", id.date},
        {"country", id.countryCode},
        {"bound-id", oneLine(id.boundId)},
        {"imei", id.imei},
        {"unique-id", oneLine(id.uniqueId)},
        {"version", id.versionString()},
        {"device-supported", IsDeviceSupported(id) ? "yes" : "no"},
        {"version-supported", IsVersionSupported(id) ? "yes" : "no"},
    };
    for (const auto& row : rows)
        out() << row.key << ": " << row.value << '\n';
    out().flush();
    return r.supported() ? cli_exit::Ok : cli_exit::Unsupported;
}

int runStatus(TerminalHost& host) {
    const IdentifyResult r = identify(host);
    if (!r.supported())
        return r.outcome == IdentifyOutcome::NoIdentification ? cli_exit::LinkFailure
                                                              : cli_exit::Unsupported;
    QStringList lines;
    if (!ReadStatusReport(host, lines))
        return cli_exit::LinkFailure;
    for (const QString& line : lines)
        out() << line << '\n';
    out().flush();
    return cli_exit::Ok;
}

// Loads `file` as the configuration to send; false (and a message) when it
// cannot be used.
bool loadFile(TerminalHost& host, const QString& file) {
    const int rc = ReadConfigFile(host.image(), file);
    if (rc != FileOk) {
        error(QStringLiteral("%1: %2").arg(file, ConfigFileOpenErrorText(rc)));
        return false;
    }
    return true;
}

int runRead(TerminalHost& host, const QString& file) {
    if (!ops::ReadConfiguration(host))
        return failureStatus(host);
    if (WriteConfigFile(host.image(), file) != FileOk) {
        error(QStringLiteral("%1: %2").arg(file, ConfigFileSaveErrorText()));
        return cli_exit::BadInput;
    }
    return cli_exit::Ok;
}

bool programOnce(TerminalHost& host, const CliOptions& o) {
    return o.noRestart ? ops::Reconfigure(host) : ops::ProgramConfiguration(host);
}

int runCompare(TerminalHost& host) {
    if (ops::CompareConfiguration(host))
        return cli_exit::Ok;
    const QString differ = DefaultTransactionMessages().at(TransactionText::DataDiffer);
    if (host.lastStatus() == differ)
        return cli_exit::Differs;
    return failureStatus(host);
}

// Waits, silently, until a controller answers whose unique identifier is not
// `skip` (any controller when `skip` is empty). False when asked to stop.
bool waitForController(TerminalHost& host, const QString& skip) {
    host.setQuiet(true);
    while (!g_stop.load()) {
        host.clearRecord();
        const IdentifyResult r = identify(host);
        if (r.outcome != IdentifyOutcome::NoIdentification && r.identity.uniqueId != skip) {
            host.setQuiet(false);
            return true;
        }
        QThread::msleep(300);
    }
    host.setQuiet(false);
    return false;
}

// Waits until no controller answers. False when asked to stop.
bool waitUntilGone(TerminalHost& host) {
    host.setQuiet(true);
    while (!g_stop.load()) {
        host.clearRecord();
        if (identify(host).outcome == IdentifyOutcome::NoIdentification) {
            host.setQuiet(false);
            return true;
        }
        QThread::msleep(300);
    }
    host.setQuiet(false);
    return false;
}

int runProgramEach(TerminalHost& host, const CliOptions& o) {
    const ConfigImage configuration = host.image();
    bool allOk = true;
    QString last; // the unique identifier of the controller programmed last
    error(QStringLiteral("Waiting for a controller on %1 (Ctrl+C ends)...").arg(host.portName()));
    while (waitForController(host, last)) {
        // The controller as it answered; after a restart only dashes are shown.
        const DeviceIdentity id = host.identity();
        host.image() = configuration;
        host.clearRecord();
        const bool ok = programOnce(host, o);
        out() << oneLine(id.uniqueId) << '\t' << id.imei << '\t'
              << (ok ? QStringLiteral("ok") : oneLine(host.lastStatus())) << '\n';
        out().flush();
        allOk = allOk && ok;
        if (ok) {
            last = id.uniqueId;
        } else {
            // A controller that failed may be tried again once it was unplugged.
            last.clear();
            if (!waitUntilGone(host))
                break;
        }
    }
    return allOk ? cli_exit::Ok : cli_exit::LinkFailure;
}

} // namespace

void RequestCliStop() {
    g_stop.store(true);
}

int RunCliCommand(const CliOptions& o, TerminalHost& host) {
    // The log-in sends the password from the image; files never carry it.
    host.image().setTextPadded(20, 9, o.password);
    switch (o.command) {
    case CliCommand::Identify:
        return runIdentify(host);
    case CliCommand::Status:
        return runStatus(host);
    case CliCommand::Read:
        return runRead(host, o.file);
    case CliCommand::Program:
        if (!loadFile(host, o.file))
            return cli_exit::BadInput;
        host.image().setTextPadded(20, 9, o.password);
        return o.each ? runProgramEach(host, o) : statusOf(programOnce(host, o), host);
    case CliCommand::Compare:
        if (!loadFile(host, o.file))
            return cli_exit::BadInput;
        host.image().setTextPadded(20, 9, o.password);
        return runCompare(host);
    case CliCommand::Restart:
        return statusOf(ops::RestartController(host), host);
    case CliCommand::Imei: {
        const bool ok = ops::CopyImei(host);
        if (ok) {
            out() << host.identity().imei << '\n';
            out().flush();
        }
        return statusOf(ok, host);
    }
    }
    return cli_exit::BadInput;
}
