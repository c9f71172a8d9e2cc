#pragma once
// The command line of rzn460-cli.
#include <QString>
#include <QStringList>
#include <optional>

enum class CliCommand { Identify, Status, Read, Program, Compare, Restart, Imei };

struct CliOptions {
    QString port;     // empty: the port of the settings file
    QString password; // the administrative password for the log-in
    CliCommand command = CliCommand::Identify;
    QString file; // read, program, compare
    bool clearModes = false;
    bool noRestart = false;
    bool each = false;
    bool help = false;

    static std::optional<CliOptions> parse(const QStringList& args, QString& error);
    static QString usage();
};

// Exit statuses.
namespace cli_exit {
constexpr int Ok = 0;
constexpr int Differs = 1;     // compare: the configurations differ
constexpr int LinkFailure = 2; // no controller, a failed transfer, a refused log-in
constexpr int Unsupported = 3; // the device or its firmware version is not supported
constexpr int BadInput = 4;    // bad arguments, a missing or bad file, a port that cannot open,
                               // a configuration that does not fit the hardware
} // namespace cli_exit
