// The program settings file and the COM port dialog.
// Placeholder until they are built: the settings file is neither read nor written.
#include "app/main_window.h"

int TForm1::ReadSettingsFile() {
    return 1;
}
int TForm1::WriteSettingsFile() {
    return 1;
}
void TForm1::ComPortConfigExecute() {}
