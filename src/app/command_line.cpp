#include "app/command_line.h"

namespace {

bool takeValue(const QStringList& args, int& i, QString& value, QString& error) {
    const QString opt = args.at(i);
    if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(opt);
        return false;
    }
    value = args.at(++i);
    return true;
}

bool takeInt(const QStringList& args, int& i, int min, int max, int& out, QString& error) {
    QString v;
    if (!takeValue(args, i, v, error))
        return false;
    bool ok = false;
    const int n = v.toInt(&ok);
    if (!ok || n < min || n > max) {
        error = QStringLiteral("%1: %2 is not a number from %3 to %4")
                    .arg(args.at(i - 1), v)
                    .arg(min)
                    .arg(max);
        return false;
    }
    out = n;
    return true;
}

} // namespace

std::optional<CommandLine> CommandLine::parse(const QStringList& args, QString& error) {
    CommandLine cl;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        bool ok = true;
        if (a == QLatin1String("--port"))
            ok = takeValue(args, i, cl.port, error) && !cl.port.isEmpty();
        else if (a == QLatin1String("--page"))
            ok = takeInt(args, i, 0, 55, cl.page, error);
        else if (a == QLatin1String("--screenshot"))
            ok = takeValue(args, i, cl.screenshot, error) && !cl.screenshot.isEmpty();
        else if (a == QLatin1String("--wait-ms"))
            ok = takeInt(args, i, 0, 3600000, cl.waitMs, error);
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            cl.help = true;
        else {
            error = QStringLiteral("unknown option: %1").arg(a);
            ok = false;
        }
        if (!ok) {
            if (error.isEmpty())
                error = QStringLiteral("%1 needs a non-empty value").arg(a);
            return std::nullopt;
        }
    }
    return cl;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Usage: rzn460-config [--port NAME] [--page N] [--screenshot FILE [--wait-ms MS]]\n"
        "  --port NAME        serial port for this run (COM3, ttyUSB0, /dev/pts/7 ...)\n"
        "  --page N           select page N (0..55) after start-up\n"
        "  --screenshot FILE  after start-up save the window as PNG and close it normally\n"
        "  --wait-ms MS       with --screenshot: wait MS milliseconds first\n");
}
