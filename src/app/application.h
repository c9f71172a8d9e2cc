#pragma once
// The application object: an exception escaping an event handler is shown to
// the user and the program goes on.
#include <QApplication>

// Loads Qt's own Russian texts for the standard dialogs and buttons; false
// when the translation is not installed.
bool installRussianTranslation();

// The window's design font size, for the whole program (dialogs included).
void applyApplicationFont();

class RznApplication : public QApplication {
public:
    RznApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
