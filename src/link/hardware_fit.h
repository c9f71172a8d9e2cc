#pragma once
// Whether a configuration can run on the controller's hardware: hardware
// versions 12.02 and 13.02 cannot make CSD data calls, so no connection may
// have the type "Kolvex" (value 1 in bits 0..1 of its first byte).
#include "config/config_image.h"

#include <QString>

struct HardwareFit {
    bool fits = true;
    int connection = 0; // 1..8: the first connection that does not fit
    int pageIndex = 0;  // its page (connection + 1)
    QString message;    // the warning text for the user
};

// Caption of the message box that reports a misfit.
QString HardwareFitCaption(); // "Проверка конфигурации"

// `hardwareVersion` is the caption of the hardware version label, e.g. "12.02".
HardwareFit CheckConfigurationFitsHardware(const QString& hardwareVersion,
                                           const ConfigImage& image);
