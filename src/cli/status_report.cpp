#include "cli/status_report.h"

#include "cli/terminal_host.h"
#include "link/run_transaction.h"
#include "link/status_block.h"
#include "link/tread_data.h"
#include "pages/ui_texts.h"

#include <array>

namespace {

QString onOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

bool ReadStatusReport(TerminalHost& host, QStringList& lines) {
    std::array<std::uint8_t, kStatusBlockSize> bytes{};
    TReadData t(TransactionKind::ReadStatus, bytes.data(), kStatusBlockSize, host.portName());
    if (host.channelFactory())
        t.setChannelFactory(host.channelFactory());
    const int rc = RunAndWait(
        t, [&host](const QString& text, StatusColour colour) { host.showStatus(text, colour); });
    if (rc != 0)
        return false;
    const StatusBlock s = StatusBlock::parse(bytes.data());
    const UiTexts texts = UiTexts::russian();

    lines << QStringLiteral("clock: %1").arg(status_text::controllerTime(s.clock));
    for (int n = 1; n <= 16; ++n)
        lines << QStringLiteral("input %1: value %2, %3")
                     .arg(n)
                     .arg(s.inputValues[n - 1])
                     .arg(s.inputActive(n) ? QStringLiteral("active") : QStringLiteral("normal"));
    lines << QStringLiteral("input values valid: %1")
                 .arg(s.inputValuesValid() ? QStringLiteral("yes") : QStringLiteral("no"));
    for (int k = 0; k < 7; ++k)
        lines << QStringLiteral("%1: %2").arg(texts.OutputNames.at(k), onOff(s.outputOn(k)));
    for (int p = 1; p <= 4; ++p) {
        const QString mode = status_text::perimeterMode(s.perimeterMode(p));
        lines << QStringLiteral("perimeter %1: %2").arg(p).arg(mode.isEmpty() ? "-" : mode);
    }
    lines << QStringLiteral("supply: %1").arg(status_text::supply(s.supply));
    lines << QStringLiteral("battery: %1% %2")
                 .arg(status_text::batteryPercent(s.battery))
                 .arg(status_text::batteryMessage(s.battery).simplified());
    lines << QStringLiteral("temperature: %1")
                 .arg(s.temperatureValid ? status_text::temperature(s.temperature)
                                         : QStringLiteral("-"));
    lines << QStringLiteral("gsm: %1").arg(
        texts.GsmStateTexts.at(status_text::gsmStateIndex(s.gsmState)));
    lines << QStringLiteral("signal: %1 of 31").arg(s.signal);
    lines << (s.balanceValid ? status_text::balance(s.balance) : QStringLiteral("balance: -"));
    return true;
}
