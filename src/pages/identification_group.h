#pragma once
// The " Идентификатор устройства " group of the root page: the identification
// labels of the attached controller with their captions. Shows a received
// DeviceIdBlock or the placeholder (dashes) and keeps what it shows, so the
// device and version checks read exactly what the user sees.
#include "link/device_id.h"

#include <QGroupBox>

class QLabel;

class IdentificationGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit IdentificationGroup(QWidget* parent = nullptr);

    void showIdentification(const DeviceIdentity& identity);
    void showBlock(const DeviceIdBlock& block) { showIdentification(ParseDeviceId(block)); }
    void showPlaceholder() { showBlock(DeviceIdBlock::placeholder()); }
    // What is shown now (the label captions, line breaks as "\r\n").
    const DeviceIdentity& identity() const { return shown_; }

    QLabel* iDeviceNameLabel;
    QLabel* iModificationLabel;
    QLabel* iHardVerLabel;
    QLabel* iSoftVerLabel;
    QLabel* iBLLabel;
    QLabel* iDateLabel;
    QLabel* iLabelCountryCode;
    QLabel* iLabelDevSN;
    QLabel* iLabelDevSNLocked;
    QLabel* iGSMIMEILabel;

private:
    DeviceIdentity shown_;
};
