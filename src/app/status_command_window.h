#pragma once
// The main window running a direct command of the root page.
#include "monitor/control_command.h"

class TForm1;

void RunStatusCommandInWindow(TForm1& window, const ControlCommand& command);
