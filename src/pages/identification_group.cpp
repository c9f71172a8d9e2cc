#include "pages/identification_group.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// A label shows "\r\n" as a plain line break.
QString displayed(const QString& text) {
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

IdentificationGroup::IdentificationGroup(QWidget* parent)
    : QGroupBox(QStringLiteral(" Идентификатор устройства "), parent),
      iDeviceNameLabel(valueLabel("iDeviceNameLabel", this)),
      iModificationLabel(valueLabel("iModificationLabel", this)),
      iHardVerLabel(valueLabel("iHardVerLabel", this)),
      iSoftVerLabel(valueLabel("iSoftVerLabel", this)), iBLLabel(valueLabel("iBLLabel", this)),
      iDateLabel(valueLabel("iDateLabel", this)),
      iLabelCountryCode(valueLabel("iLabelCountryCode", this)),
      iLabelDevSN(valueLabel("iLabelDevSN", this)),
      iLabelDevSNLocked(valueLabel("iLabelDevSNLocked", this)),
      iGSMIMEILabel(valueLabel("iGSMIMEILabel", this)) {
    setObjectName(QStringLiteral("GroupBoxIdentification"));
    const std::pair<const char*, QLabel*> rows[] = {
        {"Устройство:", iDeviceNameLabel},
        {"Модификация:", iModificationLabel},
        {"Аппаратная вер.:", iHardVerLabel},
        {"Микропрограмма:", iSoftVerLabel},
        {"Версия загрузчика:", iBLLabel},
        {"Дата:", iDateLabel},
        {"Код страны:", iLabelCountryCode},
        {"GSM IMEI:", iGSMIMEILabel},
        {"Уникальный идентификатор:", iLabelDevSN},
        {"Привязка к идентификатору:", iLabelDevSNLocked},
    };
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const auto& [caption, label] : rows) {
        auto* c = new QLabel(QString::fromUtf8(caption), this);
        c->setBuddy(label);
        grid->addWidget(c, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(label, row, 1, Qt::AlignLeft | Qt::AlignTop);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    showPlaceholder();
}

void IdentificationGroup::showIdentification(const DeviceIdentity& id) {
    shown_ = id;
    iDeviceNameLabel->setText(id.deviceName);
    iModificationLabel->setText(id.modification);
    iHardVerLabel->setText(id.hardware);
    iSoftVerLabel->setText(id.firmware);
    iBLLabel->setText(id.loader);
    iDateLabel->setText(id.date);
    iLabelCountryCode->setText(id.countryCode);
    iLabelDevSNLocked->setText(displayed(id.boundId));
    iGSMIMEILabel->setText(id.imei);
    iLabelDevSN->setText(displayed(id.uniqueId));
}
