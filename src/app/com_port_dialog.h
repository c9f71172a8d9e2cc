#pragma once
// TFormCOMPortConfig: the COM port dialog. Lists the ports the system reports
// (and accepts a typed name or path: pseudo-terminals are not listed), tries to
// open the chosen one, and reports the port state for status-bar panel 1 on
// every attempt and on every close. The port is left closed.
#include "link/serial_channel.h"

#include <QDialog>
#include <QString>
#include <memory>

class QComboBox;
class QPushButton;

class TFormCOMPortConfig : public QDialog {
    Q_OBJECT
public:
    explicit TFormCOMPortConfig(const QString& portName, QWidget* parent = nullptr);
    ~TFormCOMPortConfig() override;

    // The port name as the dialog leaves it: the last one "OK" tried.
    QString portName() const { return portName_; }
    // The ports the system reports, in natural order (COM2 before COM10).
    static QStringList availablePortNames();

    QComboBox* ComComboBox1 = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Cancel"
    // Shown when the chosen port cannot be opened.
    QString ErrorText;

signals:
    // Status-bar panel 1: the port name while it can be opened, otherwise "NC".
    void portStateChanged(const QString& panelText);

public slots:
    void Button1Click();
    void done(int result) override;

private:
    bool openPort();
    void reportPortState();

    QString portName_;
    std::unique_ptr<SerialChannel> port_;
};
