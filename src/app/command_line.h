#pragma once
// Options of the configurator's command line.
#include <QString>
#include <QStringList>
#include <optional>

struct CommandLine {
    QString port;       // --port NAME: the port for this run
    int page = -1;      // --page N: the page selected after start-up
    QString screenshot; // --screenshot FILE: save the window as PNG and close
    int waitMs = 0;     // --wait-ms MS: wait before the screenshot
    bool help = false;

    // Parses the arguments after the program name; on error returns nothing
    // and sets `error`.
    static std::optional<CommandLine> parse(const QStringList& args, QString& error);
    static QString usage();
};
