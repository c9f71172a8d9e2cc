// rzn460-config: the configuration window of the RZN460 controller.
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/single_instance.h"

#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace {

const char* const kTitle = "RZN Configurator";

bool headless() {
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

void printErr(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    RznApplication app(argc, argv);
    QString error;
    const auto cl = CommandLine::parse(app.arguments().mid(1), error);
    if (!cl) {
        printErr(QStringLiteral("rzn460-config: ") + error);
        printErr(CommandLine::usage());
        return 2;
    }
    if (cl->help) {
        std::printf("%s", CommandLine::usage().toLocal8Bit().constData());
        return 0;
    }
    installRussianTranslation();

    SingleInstance instance;
    if (!instance.acquired()) {
        const QString text = QStringLiteral("Программа уже запущена");
        if (headless()) {
            // Nobody could see or answer a box: say it where it can be read.
            printErr(text);
        } else {
            QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kTitle), text,
                            QMessageBox::Ok);
            box.exec();
        }
        return 0;
    }

    TForm1 window(cl->port);
    if (cl->page >= 0)
        window.selectPage(cl->page);
    window.show();

    int exitCode = 0;
    if (!cl->screenshot.isEmpty()) {
        QTimer::singleShot(cl->waitMs, &window, [&] {
            if (!window.grab().save(cl->screenshot, "PNG")) {
                printErr(QStringLiteral("rzn460-config: cannot write %1").arg(cl->screenshot));
                exitCode = 1;
            }
            // A normal close, so the close-time saving runs.
            if (!window.close()) {
                printErr(QStringLiteral("rzn460-config: the window refused to close"));
                app.exit(1);
            }
        });
    }
    const int rc = app.exec();
    return rc != 0 ? rc : exitCode;
}
