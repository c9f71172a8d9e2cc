#include "app/com_port_dialog.h"

#include <QCollator>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kClientWidth = 197;
constexpr int kClientHeight = 130;
} // namespace

TFormCOMPortConfig::TFormCOMPortConfig(const QString& portName, QWidget* parent)
    : QDialog(parent), portName_(portName) {
    setObjectName(QStringLiteral("FormCOMPortConfig"));
    setWindowTitle(QStringLiteral("Выбор COM порта"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    ErrorText = QStringLiteral(
        "Не возможно открыть указанный COM порт, возможно он занят другим приложением.");

    ComComboBox1 = new QComboBox(this);
    ComComboBox1->setObjectName(QStringLiteral("ComComboBox1"));
    // A typed name or path is accepted as well as a listed port.
    ComComboBox1->setEditable(true);
    ComComboBox1->setInsertPolicy(QComboBox::NoInsert);
    QStringList ports = availablePortNames();
    if (!portName_.isEmpty() && !ports.contains(portName_))
        ports.prepend(portName_);
    ComComboBox1->addItems(ports);
    ComComboBox1->setCurrentText(portName_);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, &TFormCOMPortConfig::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ComComboBox1);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(QSize(kClientWidth, kClientHeight).expandedTo(sizeHint()));
}

TFormCOMPortConfig::~TFormCOMPortConfig() = default;

QStringList TFormCOMPortConfig::availablePortNames() {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), collator);
    names.removeDuplicates();
    return names;
}

bool TFormCOMPortConfig::openPort() {
    if (port_ && port_->isOpen())
        return true;
    port_.reset();
    if (portName_.trimmed().isEmpty())
        return false;
    SerialChannelFactory factory = DefaultSerialChannelFactory();
    std::unique_ptr<SerialChannel> channel = factory ? factory() : nullptr;
    if (!channel || !channel->open(portName_) || !channel->isOpen())
        return false;
    port_ = std::move(channel);
    return true;
}

void TFormCOMPortConfig::reportPortState() {
    emit portStateChanged(port_ && port_->isOpen() ? portName_ : QStringLiteral("NC"));
}

void TFormCOMPortConfig::Button1Click() {
    if (port_)
        port_.reset(); // another name: the previous port is let go first
    portName_ = ComComboBox1->currentText().trimmed();
    const bool opened = openPort();
    if (!opened)
        QMessageBox::warning(this, windowTitle(), ErrorText);
    reportPortState();
    if (opened)
        accept();
}

void TFormCOMPortConfig::done(int result) {
    openPort(); // a port that cannot be opened shows "NC"; nothing more to say
    reportPortState();
    port_.reset(); // closes it
    QDialog::done(result);
}
