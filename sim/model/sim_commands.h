#pragma once
// The console language of the simulator: one line sets a fault or makes an
// event happen ("noreply 5", "key 01A2B3C4D5E6F701", "input 3 on", ...). The
// pty server reads these lines from stdin and from --cmd options; tests can
// use the same lines on an in-memory device.
#include "model/sim_device.h"

#include <QString>

struct SimCommandResult {
    bool ok = true;
    QString output; // the answer to print (may be empty)
};

SimCommandResult RunSimCommand(SimDevice& device, const QString& line);
// The list of commands with their arguments.
QString SimCommandHelp();
