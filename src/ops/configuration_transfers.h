#pragma once
// The commands on the whole controller: read, program (with restart), compare,
// reconfigure (program without restart), restart, copy the IMEI, restore the
// factory configuration. Each runs on the calling thread as one fixed
// sequence of transactions and waits for each of them; the host shows what
// happens. Each returns true when it did what was asked.
#include "ops/operation_host.h"

namespace ops {

// Reads the settings into the image. Settings whose configuration tag is not
// this tool's are replaced by the defaults, and the host is told why.
bool ReadConfiguration(OperationHost& host);
// Writes and verifies the settings (and, on request, clears the mode memory),
// then restarts the controller; the busy state lasts until it is back.
bool ProgramConfiguration(OperationHost& host);
// Compares the controller's settings with the image; needs no password.
bool CompareConfiguration(OperationHost& host);
// Writes and verifies the settings, then tells the controller to apply them
// without a restart. A failed write is never applied.
bool Reconfigure(OperationHost& host);
// Restarts the controller.
bool RestartController(OperationHost& host);
// Puts "IMEI: " and the controller's IMEI on the clipboard.
bool CopyImei(OperationHost& host);
// Writes the default settings and mode memory. A controller with a password
// first gets a countdown during which it must stay connected.
bool RestoreFactoryConfiguration(OperationHost& host);

// The two lines shown when the controller's settings are not in this tool's format.
QString UnknownConfigurationText();

} // namespace ops
