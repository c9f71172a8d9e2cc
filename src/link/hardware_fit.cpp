#include "link/hardware_fit.h"

#include "config/image_layout.h"

namespace {
constexpr std::uint8_t kConnectionTypeKolvex = 1;
constexpr std::size_t kConnectionTypeByte = 88; // first connection's type byte
} // namespace

QString HardwareFitCaption() {
    return QStringLiteral("Проверка конфигурации");
}

HardwareFit CheckConfigurationFitsHardware(const QString& hardwareVersion,
                                           const ConfigImage& image) {
    HardwareFit fit;
    if (hardwareVersion != QLatin1String("12.02") && hardwareVersion != QLatin1String("13.02"))
        return fit;
    for (int n = 1; n <= static_cast<int>(layout::kConnectionCount); ++n) {
        const std::size_t off = kConnectionTypeByte + layout::kConnectionSize * (n - 1);
        if (image.bits(off, 0, 1) != kConnectionTypeKolvex)
            continue;
        fit.fits = false;
        fit.connection = n;
        fit.pageIndex = n + 1;
        fit.message = QStringLiteral("Контроллер аппаратной версии ") + hardwareVersion +
                      QStringLiteral(" не поддерживает функцию передачи данных CSD.\n") +
                      QStringLiteral("На вкладке \"Соединение ") + QString::number(n) +
                      QStringLiteral("\", установите параметр \"Тип соединения\" в состояние "
                                     "отличное от \"Kolvex\".");
        return fit;
    }
    return fit;
}
