#include "cli/status_report.h"

#include "cli/terminal_host.h"
#include "link/run_transaction.h"
#include "link/tread_data.h"
#include "monitor/status_block.h"
#include "monitor/status_format.h"
#include "pages/ui_texts.h"

#include <QByteArray>

namespace {

QString onOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

bool ReadStatusReport(TerminalHost& host, QStringList& lines) {
    QByteArray bytes(kStatusBlockSize, '\0');
    TReadData t(TransactionKind::ReadStatus, reinterpret_cast<std::uint8_t*>(bytes.data()),
                kStatusBlockSize, host.portName());
    if (host.channelFactory())
        t.setChannelFactory(host.channelFactory());
    const int rc = RunAndWait(
        t, [&host](const QString& text, StatusColour colour) { host.showStatus(text, colour); });
    if (rc != 0)
        return false;
    const StatusBlock s = StatusBlock::fromBytes(bytes);
    const UiTexts texts = UiTexts::russian();

    lines << QStringLiteral("clock: %1").arg(ControllerTimeText(s.clock()));
    for (int n = 1; n <= 16; ++n)
        lines << QStringLiteral("input %1: value %2, %3")
                     .arg(n)
                     .arg(s.inputValue(n))
                     .arg((s.inputStates() >> (n - 1)) & 1u ? QStringLiteral("active")
                                                            : QStringLiteral("normal"));
    lines << QStringLiteral("input values valid: %1")
                 .arg(s.inputValuesValid() ? QStringLiteral("yes") : QStringLiteral("no"));
    for (int k = 0; k < 7; ++k)
        lines << QStringLiteral("%1: %2").arg(texts.OutputNames.at(k),
                                              onOff((s.outputStates() >> k) & 1u));
    for (int p = 1; p <= 4; ++p) {
        const QString mode = PerimeterModeText(PerimeterMode(s.perimeterModes(), p));
        lines << QStringLiteral("perimeter %1: %2").arg(p).arg(mode.isEmpty() ? "-" : mode);
    }
    lines << QStringLiteral("supply: %1").arg(SupplyDisplayFor(s.supply()).text);
    const BatteryDisplay battery = BatteryDisplayFor(s.battery());
    lines << QStringLiteral("battery: %1 %2").arg(battery.percent, battery.message.simplified());
    const TemperatureDisplay temperature =
        TemperatureDisplayFor(s.temperatureValid(), s.temperature());
    lines << QStringLiteral("temperature: %1")
                 .arg(temperature.value.isEmpty() ? QStringLiteral("-") : temperature.value);
    lines << QStringLiteral("gsm: %1").arg(GsmStateText(texts.GsmStateTexts, s.gsmState()));
    lines << QStringLiteral("signal: %1 of 31").arg(s.signalLevel());
    const QString balance = BalanceText(s.balanceValid(), s.balance());
    lines << (balance.isEmpty() ? QStringLiteral("balance: -") : balance);
    return true;
}
