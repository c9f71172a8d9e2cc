#include "link/serial_channel.h"

#include "link/qt_serial_channel.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

SerialChannelFactory qtFactory() {
    return [] { return std::make_unique<QtSerialChannel>(); };
}

QMutex& factoryMutex() {
    static QMutex m;
    return m;
}

SerialChannelFactory& installedFactory() {
    static SerialChannelFactory f = qtFactory();
    return f;
}

} // namespace

SerialChannelFactory DefaultSerialChannelFactory() {
    QMutexLocker lock(&factoryMutex());
    return installedFactory();
}

void SetDefaultSerialChannelFactory(SerialChannelFactory factory) {
    QMutexLocker lock(&factoryMutex());
    installedFactory() = factory ? std::move(factory) : qtFactory();
}

void ResetDefaultSerialChannelFactory() {
    SetDefaultSerialChannelFactory({});
}
