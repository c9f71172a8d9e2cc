// rzn460-cli: the device operations of the configurator for scripts and batch work.
#include "app/settings_file.h"
#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/terminal_host.h"
#include "link/serial_channel.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <csignal>

namespace {

void onInterrupt(int) {
    // The first interrupt ends the loop after its current step; a second one
    // ends the program at once.
    RequestCliStop();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

// The window's port: the one in the settings file of the working directory,
// COM1 when there is none.
QString defaultPort() {
    QString name;
    if (settings_file::read(QDir::current().filePath(settings_file::fileName()), name) == 0)
        return name;
    return QStringLiteral("COM1");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QString error;
    const auto options = CliOptions::parse(app.arguments().mid(1), error);
    if (!options) {
        err << "rzn460-cli: " << error << "\n\n" << CliOptions::usage();
        return cli_exit::BadInput;
    }
    if (options->help) {
        QTextStream(stdout) << CliOptions::usage();
        return cli_exit::Ok;
    }
    const QString port = options->port.isEmpty() ? defaultPort() : options->port;
    {
        // A port that cannot be opened is the user's to fix: say so before anything is sent.
        auto channel = DefaultSerialChannelFactory()();
        if (!channel->open(port)) {
            err << "rzn460-cli: cannot open the port " << port << '\n';
            return cli_exit::BadInput;
        }
        channel->close();
    }
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    TerminalHost host(port, options->clearModes);
    return RunCliCommand(*options, host);
}
