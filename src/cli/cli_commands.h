#pragma once
// The commands of rzn460-cli; each returns the exit status.
#include "cli/cli_options.h"

class TerminalHost;

int RunCliCommand(const CliOptions& options, TerminalHost& host);

// Asks a running --each loop to end after its current step.
void RequestCliStop();
