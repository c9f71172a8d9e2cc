#include "cli/terminal_host.h"

#include "config/defaults.h"

#include <cstdio>
#include <unistd.h>

namespace {

const char* ansiColour(StatusColour c) {
    switch (c) {
    case StatusColour::Success:
        return "\x1b[34m";
    case StatusColour::Error:
        return "\x1b[31m";
    default:
        return "";
    }
}

} // namespace

TerminalHost::TerminalHost(const QString& portName, bool clearModes)
    : port_(portName), clearModes_(clearModes), tty_(isatty(fileno(stderr)) != 0), err_(stderr) {
    SetAllDefaults(image_);
    identity_ = ParseDeviceId(DeviceIdBlock::placeholder());
}

void TerminalHost::clearRecord() {
    identity_ = ParseDeviceId(DeviceIdBlock::placeholder());
    misfit_ = false;
    lastStatus_.clear();
    clipboard_.clear();
}

bool TerminalHost::identified() const {
    return identity_ != ParseDeviceId(DeviceIdBlock::placeholder());
}

void TerminalHost::endProgressLine() {
    if (progressShown_) {
        err_ << '\n';
        progressShown_ = false;
    }
}

void TerminalHost::showStatus(const QString& text, StatusColour colour) {
    // The same text again adds nothing for the reader.
    if (text == lastStatus_)
        return;
    lastStatus_ = text;
    if (quiet_ || text.isEmpty())
        return;
    endProgressLine();
    if (tty_ && colour != StatusColour::Progress)
        err_ << ansiColour(colour) << text << "\x1b[0m\n";
    else
        err_ << text << '\n';
    err_.flush();
}

void TerminalHost::showProgress(int position, int maximum) {
    if (quiet_ || !tty_ || maximum <= 0)
        return;
    const int percent = static_cast<int>(100LL * position / maximum);
    const int filled = percent * 30 / 100;
    err_ << '\r' << '[' << QString(filled, QLatin1Char('#'))
         << QString(30 - filled, QLatin1Char(' ')) << "] " << percent << '%';
    err_.flush();
    progressShown_ = true;
    if (position >= maximum)
        endProgressLine();
}

void TerminalHost::showIdentification(const DeviceIdentity& identity) {
    identity_ = identity;
}

void TerminalHost::reportMisfit(const HardwareFit& fit) {
    misfit_ = true;
    if (quiet_)
        return;
    endProgressLine();
    err_ << fit.message << '\n';
    err_.flush();
}
