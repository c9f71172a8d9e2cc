#include "app/single_instance.h"

#include <QDir>

SingleInstance::SingleInstance() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(
        QStringLiteral("rzn460-config-%1.lock").arg(user.isEmpty() ? "user" : user)));
    // A lock left by a crashed instance is stale and taken over by tryLock.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
}
