#include "ops/transfer_steps.h"

#include "config/defaults.h"
#include "config/image_layout.h"
#include "link/tread_data.h"

#include <cstring>

namespace ops {

namespace {

void prepare(OperationHost& host, TReadData& t) {
    const QStringList messages = host.transactionMessages();
    if (!messages.isEmpty())
        t.setMessages(messages);
    if (SerialChannelFactory factory = host.channelFactory())
        t.setChannelFactory(std::move(factory));
}

} // namespace

int RunBlockTransfer(OperationHost& host, TransactionKind kind, FlashArea area,
                     std::uint8_t* buffer, int size, const StatusHandler& onStatus,
                     const ProgressHandler& onProgress) {
    TReadData t(kind, area, buffer, size, 0, host.portName());
    prepare(host, t);
    return RunAndWait(t, onStatus, onProgress);
}

int RunCommand(OperationHost& host, TransactionKind kind, std::uint8_t* buffer, int size,
               const StatusHandler& onStatus) {
    TReadData t(kind, buffer, size, host.portName());
    prepare(host, t);
    return RunAndWait(t, onStatus);
}

PasswordBytes AdministratorPassword(const ConfigImage& image) {
    PasswordBytes p{};
    std::memcpy(p.data(), image.data() + layout::kAdminPasswordOffset, kPasswordBytes - 1);
    p[kPasswordBytes - 1] = 0;
    return p;
}

PasswordBytes EmptyPassword() {
    return PasswordBytes{};
}

int LogIn(OperationHost& host, PasswordBytes password, const StatusHandler& onStatus) {
    return RunCommand(host, TransactionKind::Password, password.data(), kPasswordBytes, onStatus);
}

bool IdentifyAndLogIn(OperationHost& host, bool logIn, DeviceIdentity* identity) {
    // The busy state comes first so that the window cannot be closed while
    // monitoring is being stopped; it is entered again after the page switch,
    // because leaving the system parameters page turns device commands back on.
    host.setBusy(true);
    host.stopMonitoring();
    host.selectRootPage();
    host.setBusy(true);

    HostIdentificationSink sink(host);
    IdentifyOptions options;
    options.messages = host.transactionMessages();
    options.channelFactory = host.channelFactory();
    const IdentifyResult id = IdentifyAndCheck(host.portName(), sink, options);
    if (identity)
        *identity = id.identity;
    if (!id.supported())
        return false;
    if (logIn && LogIn(host, AdministratorPassword(host.image()), HostStatus(host)) != 0)
        return false;
    return true;
}

void Epilogue(OperationHost& host) {
    host.setBusy(false);
    host.startMonitoring();
}

void ResumeAfterRestart(OperationHost& host) {
    host.showIdentification(ParseDeviceId(DeviceIdBlock::placeholder()));
    host.resumeAfter(kRestartResumeMs);
}

bool HasKnownConfigTag(const ConfigImage& image) {
    const ConfigImage& reference = DefaultImage();
    if (image.u8(0) != reference.u8(0))
        return false;
    // Bytes 1..8 as text: equal up to the first zero byte, at most 8 characters.
    return std::strncmp(reinterpret_cast<const char*>(image.data() + 1),
                        reinterpret_cast<const char*>(reference.data() + 1),
                        layout::kConfigTagSize - 1) == 0;
}

StatusHandler HostStatus(OperationHost& host) {
    return [&host](const QString& text, StatusColour colour) { host.showStatus(text, colour); };
}

ProgressHandler HostProgress(OperationHost& host) {
    return [&host](int position, int maximum) { host.showProgress(position, maximum); };
}

StatusHandler Unseen() {
    return [](const QString&, StatusColour) {};
}

} // namespace ops
