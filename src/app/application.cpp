#include "app/application.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <exception>

void applyApplicationFont() {
    QFont f = QApplication::font();
    f.setPointSize(8);
    QApplication::setFont(f);
}

RznApplication::RznApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("RZN Configurator"));
    applyApplicationFont();
}

bool RznApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, applicationName(), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, applicationName(), QStringLiteral("Неизвестная ошибка"));
    }
    return false;
}

bool installRussianTranslation() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QStringLiteral("qtbase_ru"), dir) && QCoreApplication::installTranslator(t))
        return true;
    delete t;
    return false;
}
