#include "ops/clear_config_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TFormClearConfig::TFormClearConfig(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormClearConfig"));
    setWindowTitle(QStringLiteral("Сброс конфигурации"));
    // A fixed dialog frame without the close, minimise and maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setText(QStringLiteral(
        "Через указанное время будет произведен сброс параметров конфигурации к заводским, "
        "пароль защиты конфигурации будет сброшен. Не отключайте контроллер от PC, связь не "
        "должна прерываться, иначе процедуру сброса придется повторить сначала."));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setMinimum(0);
    // The bar starts full and empties as the seconds pass.
    ProgressBar1->setMaximum(kCountdownSeconds);
    ProgressBar1->setValue(kCountdownSeconds);
    ProgressBar1->setMaximum(ProgressBar1->value());

    LabelCountDoenSec = new QLabel(this);
    LabelCountDoenSec->setObjectName(QStringLiteral("LabelCountDoenSec"));
    LabelCountDoenSec->setAlignment(Qt::AlignCenter);
    showSeconds();

    Button1 = new QPushButton(QStringLiteral("Отмена"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addWidget(LabelCountDoenSec);
    layout->addLayout(buttons);
    setFixedWidth(420);
    setFixedHeight(sizeHint().height());

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFormClearConfig::Timer1Timer);
    Timer1->start();
}

void TFormClearConfig::showSeconds() {
    LabelCountDoenSec->setText(QString::number(ProgressBar1->value()) + QStringLiteral(" Сек."));
}

void TFormClearConfig::Timer1Timer() {
    // The controller must be watched and answering for the whole countdown.
    if (monitoringRunning_ && !identified_) {
        Timer1->stop();
        reject();
        return;
    }
    if (ProgressBar1->value() > 0) {
        ProgressBar1->setValue(ProgressBar1->value() - 1);
        showSeconds();
        return;
    }
    Timer1->stop();
    completed_ = true;
    accept();
}
