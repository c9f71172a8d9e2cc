// The program settings file and the COM port dialog of the main window.
#include "app/com_port_dialog.h"
#include "app/main_window.h"
#include "app/settings_file.h"

int TForm1::ReadSettingsFile() {
    QString name;
    if (settings_file::read(StartDirectory + settings_file::fileName(), name) != 0)
        return 1;
    portName_ = name;
    return 0;
}

int TForm1::WriteSettingsFile() {
    return settings_file::write(StartDirectory + settings_file::fileName(), portName_);
}

void TForm1::ComPortConfigExecute() {
    if (isBusy())
        return;
    // No transaction may use the port while it is being changed.
    stopMonitoring();
    {
        TFormCOMPortConfig dialog(portName_, this);
        dialog.setWindowTitle(texts_.ComPortDialogTitle);
        dialog.ErrorText = texts_.ComPortOpenErrorText;
        connect(&dialog, &TFormCOMPortConfig::portStateChanged, this,
                [this](const QString& text) { setStatusPanelText(1, text); });
        dialog.exec();
        portName_ = dialog.portName();
    }
    startMonitoring();
}
