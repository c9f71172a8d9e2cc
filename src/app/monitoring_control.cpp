// Start and stop of the live monitoring thread.
// Placeholder until the monitoring thread exists: nothing is polled yet.
#include "app/main_window.h"

void TForm1::initMonitoring() {}
void TForm1::finishMonitoring() {}
void TForm1::startMonitoring() {}
void TForm1::stopMonitoring() {}
