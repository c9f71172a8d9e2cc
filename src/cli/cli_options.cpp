#include "cli/cli_options.h"

namespace {

struct CommandName {
    const char* name;
    CliCommand command;
    bool needsFile;
};

const CommandName kCommands[] = {
    {"identify", CliCommand::Identify, false}, {"status", CliCommand::Status, false},
    {"read", CliCommand::Read, true},          {"program", CliCommand::Program, true},
    {"compare", CliCommand::Compare, true},    {"restart", CliCommand::Restart, false},
    {"imei", CliCommand::Imei, false},
};

} // namespace

std::optional<CliOptions> CliOptions::parse(const QStringList& args, QString& error) {
    CliOptions o;
    const CommandName* command = nullptr;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const auto value = [&](QString& out) {
            if (i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
                error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            out = args.at(++i);
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--port")) {
            if (!value(o.port))
                return std::nullopt;
        } else if (a == QLatin1String("--password")) {
            if (!value(o.password))
                return std::nullopt;
            if (o.password.size() > 8) {
                error = QStringLiteral("--password: at most 8 characters");
                return std::nullopt;
            }
        } else if (a == QLatin1String("--clear-modes")) {
            o.clearModes = true;
        } else if (a == QLatin1String("--no-restart")) {
            o.noRestart = true;
        } else if (a == QLatin1String("--each")) {
            o.each = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option: %1").arg(a);
            return std::nullopt;
        } else if (!command) {
            for (const CommandName& c : kCommands)
                if (a == QLatin1String(c.name))
                    command = &c;
            if (!command) {
                error = QStringLiteral("unknown command: %1").arg(a);
                return std::nullopt;
            }
            o.command = command->command;
        } else if (command->needsFile && o.file.isEmpty()) {
            o.file = a;
        } else {
            error = QStringLiteral("unexpected argument: %1").arg(a);
            return std::nullopt;
        }
    }
    if (o.help)
        return o;
    if (!command) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    if (command->needsFile && o.file.isEmpty()) {
        error = QStringLiteral("%1 needs a configuration file").arg(command->name);
        return std::nullopt;
    }
    const bool programming = o.command == CliCommand::Program;
    if (!programming && (o.clearModes || o.noRestart || o.each)) {
        error = QStringLiteral("--clear-modes, --no-restart and --each go with program only");
        return std::nullopt;
    }
    return o;
}

QString CliOptions::usage() {
    return QStringLiteral(
        "Usage: rzn460-cli [--port NAME] [--password PW] COMMAND ...\n"
        "\n"
        "Commands:\n"
        "  identify                  the controller's identification, one field per line,\n"
        "                            and whether device and version are supported\n"
        "  status                    one status block: clock, inputs, outputs, perimeters,\n"
        "                            supply, battery, temperature, GSM, balance\n"
        "  read FILE.cnt             read the controller's configuration into FILE.cnt\n"
        "  program FILE.cnt          program FILE.cnt into the controller and restart it\n"
        "      --clear-modes         also clear the controller's memory of modes\n"
        "      --no-restart          apply without a restart\n"
        "      --each                program one controller after another, until interrupted:\n"
        "                            after each one, wait for a different controller\n"
        "  compare FILE.cnt          compare FILE.cnt with the controller's configuration\n"
        "  restart                   restart the controller\n"
        "  imei                      print the controller's IMEI\n"
        "\n"
        "Options:\n"
        "  --port NAME               serial port (default: the one in RZNConfig.cfg, else COM1)\n"
        "  --password PW             the administrative password (files never carry it)\n"
        "\n"
        "Status texts and progress go to standard error, results to standard output.\n"
        "\n"
        "Exit status:\n"
        "  0  success\n"
        "  1  compare: the configurations differ\n"
        "  2  link or device failure (no answer, failed transfer, refused password)\n"
        "  3  unsupported device or firmware version\n"
        "  4  bad file or arguments, a port that cannot be opened, or a configuration\n"
        "     that does not fit the controller's hardware\n"
        "  --each ends on interruption with 0 when every controller was programmed, else 2.\n");
}
