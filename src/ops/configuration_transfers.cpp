#include "ops/configuration_transfers.h"

#include "config/defaults.h"
#include "config/image_layout.h"
#include "ops/transfer_steps.h"

#include <array>
#include <cstring>

namespace ops {

namespace {

constexpr int kSettingsSize = static_cast<int>(layout::kSettingsSize);
constexpr int kModesMemorySize = static_cast<int>(layout::kModesMemorySize);
const char* const kWorkingFile = "default.cnt";

std::uint8_t* settings(OperationHost& host) {
    return host.image().data() + layout::kSettingsOffset;
}

// Write and verify the settings block (area 1).
int writeSettings(OperationHost& host) {
    return RunBlockTransfer(host, TransactionKind::WriteVerify, FlashArea::Settings, settings(host),
                            kSettingsSize, HostStatus(host), HostProgress(host));
}

// Reset the mode memory in the image to its default, then write and verify it (area 4).
int clearModesMemory(OperationHost& host) {
    SetModesMemoryDefaults(host.image());
    return RunBlockTransfer(host, TransactionKind::WriteVerify, FlashArea::ModesMemory,
                            host.image().data() + layout::kModesMemoryOffset, kModesMemorySize,
                            HostStatus(host));
}

// One command byte 0: restart (kind 8) or apply (kind 7).
int sendZeroCommand(OperationHost& host, TransactionKind kind, const StatusHandler& onStatus) {
    std::uint8_t zero = 0;
    return RunCommand(host, kind, &zero, 1, onStatus);
}

} // namespace

QString UnknownConfigurationText() {
    return QStringLiteral("Контроллер не содержит достоверную конфигурацию.\n"
                          "Настройте параметры как необходимо и запрограммируйте конфигурацию.");
}

bool ReadConfiguration(OperationHost& host) {
    if (!IdentifyAndLogIn(host, true)) {
        Epilogue(host);
        return false;
    }
    // The image changes only when the whole range arrived.
    std::array<std::uint8_t, layout::kSettingsSize> buffer{};
    const int rc =
        RunBlockTransfer(host, TransactionKind::ReadArea, FlashArea::Settings, buffer.data(),
                         kSettingsSize, HostStatus(host), HostProgress(host));
    if (rc == 0)
        std::memcpy(settings(host), buffer.data(), buffer.size());

    // Settings of another format cannot be edited here: start from the defaults.
    // After a failed read this checks the settings the image already had.
    const bool known = HasKnownConfigTag(host.image());
    if (!known) {
        SetSettingsDefaults(host.image());
        host.setConfigFileName(QString::fromLatin1(kWorkingFile));
        host.showStatus(UnknownConfigurationText(), StatusColour::Error);
    }
    host.startMonitoring();
    host.setBusy(false);
    return rc == 0 && known;
}

bool CompareConfiguration(OperationHost& host) {
    if (!IdentifyAndLogIn(host, false)) {
        Epilogue(host);
        return false;
    }
    const int rc =
        RunBlockTransfer(host, TransactionKind::CompareArea, FlashArea::Settings, settings(host),
                         kSettingsSize, HostStatus(host), HostProgress(host));
    Epilogue(host);
    return rc == 0;
}

namespace {

// Identification, the hardware check and the log-in before a write. False
// when the operation must end; the reason is on screen.
bool prepareWrite(OperationHost& host) {
    DeviceIdentity identity;
    if (!IdentifyAndLogIn(host, false, &identity))
        return false;
    const HardwareFit fit = CheckConfigurationFitsHardware(identity.hardware, host.image());
    if (!fit.fits) {
        host.reportMisfit(fit);
        return false;
    }
    return LogIn(host, AdministratorPassword(host.image()), HostStatus(host)) == 0;
}

} // namespace

bool ProgramConfiguration(OperationHost& host) {
    if (!prepareWrite(host)) {
        Epilogue(host);
        return false;
    }
    int rc = writeSettings(host);
    if (rc == 0 && host.clearModesMemory())
        rc = clearModesMemory(host);
    if (rc != 0) {
        // Nothing is restarted: the controller keeps running what it had.
        Epilogue(host);
        return false;
    }
    // The text of the restart is shown; its result does not change the course.
    sendZeroCommand(host, TransactionKind::Restart, HostStatus(host));
    ResumeAfterRestart(host);
    return true;
}

bool Reconfigure(OperationHost& host) {
    if (!prepareWrite(host)) {
        Epilogue(host);
        return false;
    }
    const int rc = writeSettings(host);
    if (rc == 0) {
        if (host.clearModesMemory())
            clearModesMemory(host); // its outcome does not stop the apply
        sendZeroCommand(host, TransactionKind::Apply, Unseen());
    }
    // After a failed write the controller holds a partly written configuration:
    // applying it would put settings into effect that nobody chose, so the
    // apply command is not sent.
    Epilogue(host);
    return rc == 0;
}

bool RestartController(OperationHost& host) {
    if (!IdentifyAndLogIn(host, true)) {
        Epilogue(host);
        return false;
    }
    const int rc = sendZeroCommand(host, TransactionKind::Restart, HostStatus(host));
    ResumeAfterRestart(host);
    return rc == 0;
}

bool CopyImei(OperationHost& host) {
    DeviceIdentity identity;
    if (!IdentifyAndLogIn(host, true, &identity)) {
        Epilogue(host);
        return false;
    }
    host.copyToClipboard(QStringLiteral("IMEI: ") + identity.imei);
    Epilogue(host);
    return true;
}

bool RestoreFactoryConfiguration(OperationHost& host) {
    if (!IdentifyAndLogIn(host, false)) {
        Epilogue(host);
        return false;
    }
    if (LogIn(host, EmptyPassword(), HostStatus(host)) != 0) {
        // The controller has a password: it takes the factory settings only
        // after a countdown during which it stayed connected and watched.
        host.startMonitoring();
        if (!host.factoryResetCountdown()) {
            host.setBusy(false); // monitoring keeps running
            return false;
        }
        host.stopMonitoring();
    }
    SetSettingsDefaults(host.image());
    const int rc = writeSettings(host);
    if (rc == 0) {
        clearModesMemory(host); // its outcome does not stop the apply
        sendZeroCommand(host, TransactionKind::Apply, Unseen());
    }
    host.startMonitoring();
    host.setBusy(false);
    return rc == 0;
}

} // namespace ops
