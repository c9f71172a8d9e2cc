// rzn460-sim: a simulated RZN460 controller on a pseudo-terminal. Prints the
// terminal's path on the first line of stdout, then serves the configuration
// tool on it; console commands on stdin set faults and make events happen.
#include "model/sim_commands.h"
#include "model/sim_device.h"
#include "server/pty_server.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

struct Shortcut {
    const char* name;
    const char* valueName;
    const char* help;
    // The console command the option stands for; %1 is its value.
    const char* command;
};

// Options that are spelled-out console commands.
const Shortcut kShortcuts[] = {
    {"name", "TEXT", "Device name (default RZN460).", "identity name=%1"},
    {"modification", "TEXT", "Firmware edition (default KL+T407).", "identity mod=%1"},
    {"hw", "VER", "Hardware version, e.g. 12.02 (default 14.01).", "identity hw=%1"},
    {"fw", "VER", "Firmware version, e.g. 01.03 (default 01.02).", "identity fw=%1"},
    {"bl", "VER", "Boot loader version (default 01.05).", "identity bl=%1"},
    {"date", "TEXT", "Firmware date text (default \"Mar 15 2016\").", "identity date=%1"},
    {"country", "TEXT", "Country code text (default RUS).", "identity country=%1"},
    {"imei", "DIGITS", "GSM module IMEI.", "identity imei=%1"},
    {"unique-id", "A,B,C,D", "The controller's unique identifier: four 32-bit numbers.",
     "identity id=%1"},
    {"bound-id", "A,B,C,D", "The identifier the controller is bound to (default all 0).",
     "identity bound=%1"},
    {"password", "TEXT", "The controller's administrative password (default none).", "password %1"},
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rzn460-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulated RZN460 controller on a pseudo-terminal. The first line of stdout is the\n"
        "terminal's path: give it to the configurator as its port (--port PATH). Console\n"
        "commands are read from stdin, one a line; each answers \"ok\" or \"error: ...\"."));
    parser.addHelpOption();
    const QCommandLineOption baud(
        QStringLiteral("baud"),
        QStringLiteral("Pace replies like a line of this speed, 10 bits a "
                       "byte (default 19200; 0 = no pacing)."),
        QStringLiteral("N"), QStringLiteral("19200"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make a symbolic link PATH to the terminal."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Write every received frame (RX), mode switch "
                                                "(MODE), reply (TX), bad frame (BAD), stray bytes "
                                                "(JUNK) and note (NOTE) to FILE, one a line."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption cmd(
        QStringLiteral("cmd"),
        QStringLiteral("Run a console command at start (repeatable), e.g. "
                       "--cmd \"noreply 5\" --cmd \"key 01A2B3C4D5E6F708\"."),
        QStringLiteral("COMMAND"));
    const QCommandLineOption foreignTag(
        QStringLiteral("foreign-tag"),
        QStringLiteral("The settings in memory carry a configuration tag the tool does not know."));
    const QCommandLineOption silent(
        QStringLiteral("silent"),
        QStringLiteral("Start silent (no answers until \"silent off\")."));
    const QCommandLineOption armDelay(
        QStringLiteral("arm-delay-ms"),
        QStringLiteral("Time an armed perimeter shows \"changing mode\" "
                       "(default 0)."),
        QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption restartMs(QStringLiteral("restart-ms"),
                                       QStringLiteral("How long a restart keeps the controller "
                                                      "silent (default 1500)."),
                                       QStringLiteral("MS"), QStringLiteral("1500"));
    const QCommandLineOption exitOnEof(
        QStringLiteral("exit-on-eof"),
        QStringLiteral("Stop when stdin closes, so a simulator started by a test or script ends "
                       "with it. Without it the simulator keeps serving with no console."));
    parser.addOptions({baud, link, log, cmd, foreignTag, silent, armDelay, restartMs, exitOnEof});
    std::vector<QCommandLineOption> shortcuts;
    for (const Shortcut& s : kShortcuts) {
        shortcuts.emplace_back(QString::fromLatin1(s.name), QString::fromUtf8(s.help),
                               QString::fromLatin1(s.valueName));
        parser.addOption(shortcuts.back());
    }
    const QString commandsHelp =
        QStringLiteral("\nConsole commands (stdin or --cmd):\n") + SimCommandHelp() +
        QStringLiteral("  quit                              stop the simulator\n");
    if (app.arguments().contains(QStringLiteral("--help")) ||
        app.arguments().contains(QStringLiteral("-h"))) {
        std::fputs(qPrintable(parser.helpText() + commandsHelp), stdout);
        return 0;
    }
    parser.process(app);

    SimDevice device;
    device.setKeepLog(false);
    QStringList startup;
    for (std::size_t i = 0; i < shortcuts.size(); ++i)
        if (parser.isSet(shortcuts[i]))
            startup << QString::fromLatin1(kShortcuts[i].command).arg(parser.value(shortcuts[i]));
    if (parser.isSet(foreignTag))
        startup << QStringLiteral("foreign-tag");
    if (parser.isSet(silent))
        startup << QStringLiteral("silent on");
    startup << parser.values(cmd);

    bool ok1 = false, ok2 = false, ok3 = false;
    const int baudRate = parser.value(baud).toInt(&ok1);
    const qint64 armMs = parser.value(armDelay).toLongLong(&ok2);
    const qint64 restart = parser.value(restartMs).toLongLong(&ok3);
    if (!ok1 || baudRate < 0 || !ok2 || armMs < 0 || !ok3 || restart < 0) {
        std::fprintf(stderr, "rzn460-sim: --baud, --arm-delay-ms and --restart-ms take numbers\n");
        return 2;
    }
    device.with([&](DeviceModel& m, FaultSet&) {
        m.armDelayMs = armMs;
        m.restartMs = restart;
    });
    for (const QString& line : startup) {
        const SimCommandResult r = RunSimCommand(device, line);
        if (!r.ok) {
            std::fprintf(stderr, "rzn460-sim: %s: %s\n", qPrintable(line), qPrintable(r.output));
            return 2;
        }
    }

    PtyServer server(device,
                     {baudRate, parser.value(link), parser.value(log), parser.isSet(exitOnEof)});
    QString error;
    if (!server.open(&error)) {
        std::fprintf(stderr, "rzn460-sim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.path()));
    std::fflush(stdout);
    return server.run();
}
