#pragma once
// The UI side of the monitoring: shows what the monitoring thread hands over
// on the root page, the status bar and the live fields of the other pages.
// Lives on the UI thread; the window supplies the few things that are its own.
#include "monitor/monitor_view.h"

#include <QObject>
#include <functional>

class MainStatusPage;
class QWidget;

struct MonitorWindowHooks {
    std::function<void(int panel, const QString& text)> setStatusPanel;
    // The panel that shows PageIndex `pageIndex`, or nullptr.
    std::function<QWidget*(int pageIndex)> page;
    // Image bytes 20..27 (the administrative password).
    std::function<QByteArray()> password;
    // Called on every identification with its outcome.
    std::function<void(bool identified)> identified;
    // The PageIndex on screen now.
    std::function<int()> shownPage;
};

class MonitorDisplay : public QObject, public MonitorView {
    Q_OBJECT
public:
    // `statusPage` may be null (a window without the root page).
    MonitorDisplay(MainStatusPage* statusPage, MonitorWindowHooks hooks, QObject* parent = nullptr);

    void setStatusPanel(int panel, const QString& text) override;
    void showIdentification(const DeviceIdentity& identity) override;
    void showAction(const QString& text, StatusColour colour) override;
    void setIdentified(bool identified) override;

    void showRootStatus(const StatusBlock& block, const QStringList& gsmTexts) override;
    void showRootStatusFailed() override;
    void showPcTime() override;
    void showControllerTime(const std::array<std::uint8_t, 6>& clock) override;
    void showPower(const StatusBlock& block) override;
    void showPowerFailed() override;
    void resetKeyIndicator() override;
    void showKeyPasswordRefused() override;
    void showCapturedKey(const QString& code) override;
    void showInputReading(int input, std::uint16_t value, bool valid) override;

    bool editingControllerTime() const override;
    QByteArray passwordPayload() const override;

private:
    QWidget* page(int pageIndex) const;

    MainStatusPage* statusPage_;
    MonitorWindowHooks hooks_;
};
