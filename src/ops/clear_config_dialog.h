#pragma once
// TFormClearConfig: the countdown before the factory configuration is written
// to a controller whose password is not known. The controller must stay
// connected, and monitoring must keep identifying it, for the whole countdown
// (1800 seconds); the dialog closes as soon as monitoring loses it, or when
// the user cancels. completed() tells whether the countdown ran out.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TFormClearConfig : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCountdownSeconds = 1800;

    explicit TFormClearConfig(QWidget* parent = nullptr);

    // True only when the countdown ran out.
    bool completed() const { return completed_; }
    // Whether a monitoring thread runs; without one nothing is watched.
    void setMonitoringRunning(bool running) { monitoringRunning_ = running; }

    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QLabel* LabelCountDoenSec;
    QPushButton* Button1;
    QTimer* Timer1;

public slots:
    // Each identification the monitoring makes: true when the controller answered.
    void controllerIdentified(bool identified) { identified_ = identified; }
    void Timer1Timer();

private:
    void showSeconds();

    bool completed_ = false;
    bool monitoringRunning_ = true;
    // A new monitoring thread has identified nothing yet.
    bool identified_ = false;
};
