#pragma once
// The building blocks every device operation is made of: one transaction run
// with the host's texts and channel, the identification prologue, the log-in,
// the end of an operation, and the configuration tag check.
#include "link/identification.h"
#include "link/run_transaction.h"
#include "link/transaction_kind.h"
#include "ops/operation_host.h"

#include <array>
#include <cstdint>

namespace ops {

constexpr int kPasswordBytes = 9;
using PasswordBytes = std::array<std::uint8_t, kPasswordBytes>;

// Time the controller needs after a restart before monitoring may look at it.
constexpr int kRestartResumeMs = 3000;

// The identification texts go to the host's status line, the block to its
// identification display.
class HostIdentificationSink : public IdentificationSink {
public:
    explicit HostIdentificationSink(OperationHost& host) : host_(host) {}
    void showStatus(const QString& text, StatusColour colour) override {
        host_.showStatus(text, colour);
    }
    void showIdentification(const DeviceIdentity& identity) override {
        host_.showIdentification(identity);
    }

private:
    OperationHost& host_;
};

// A block transfer (kinds 0, 1, 2) of `size` bytes from address 0 of `area`;
// returns 0 on success, 1 on failure. Kind 0 writes `buffer` only when the
// whole range arrived.
int RunBlockTransfer(OperationHost& host, TransactionKind kind, FlashArea area,
                     std::uint8_t* buffer, int size, const StatusHandler& onStatus,
                     const ProgressHandler& onProgress = {});
// A single request or command (kinds 3..11).
int RunCommand(OperationHost& host, TransactionKind kind, std::uint8_t* buffer, int size,
               const StatusHandler& onStatus);

// Bytes 20..27 of the image and a zero byte: what the log-in sends.
PasswordBytes AdministratorPassword(const ConfigImage& image);
// Nine zero bytes: the empty password of the factory reset.
PasswordBytes EmptyPassword();
// Log-in (kind 9); 0 when the controller accepted the password.
int LogIn(OperationHost& host, PasswordBytes password, const StatusHandler& onStatus);

// The identification prologue of an operation: stop monitoring, show the root
// page (storing the page that was visible), enter the busy state, identify
// and check the controller and, when `logIn`, send the administrator
// password. The texts go to the host's status line. False when the operation
// must end (the reason is on screen); `identity` receives what was shown.
bool IdentifyAndLogIn(OperationHost& host, bool logIn, DeviceIdentity* identity = nullptr);
// The end of an operation: leave the busy state and start monitoring again.
void Epilogue(OperationHost& host);
// The end of an operation that restarted the controller: show the placeholder
// identification and resume only after the controller had time to restart.
void ResumeAfterRestart(OperationHost& host);

// Whether the settings carry the configuration tag of this tool's format:
// byte 0 and the text of at most 8 characters in bytes 1..8 equal those of
// the default settings.
bool HasKnownConfigTag(const ConfigImage& image);

// Status handlers that show on the host's status line, and that drop the texts
// (transactions whose texts the user does not see).
StatusHandler HostStatus(OperationHost& host);
ProgressHandler HostProgress(OperationHost& host);
StatusHandler Unseen();

} // namespace ops
