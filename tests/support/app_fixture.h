#pragma once
// A main window started in a fresh temporary working directory, as a user
// would start it in an empty folder.
#include "app/main_window.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TempWorkDir {
public:
    TempWorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TempWorkDir() { QDir::setCurrent(previous_); }
    QString path(const QString& name = QString()) const {
        return name.isEmpty() ? dir_.path() : dir_.filePath(name);
    }

private:
    QTemporaryDir dir_;
    QString previous_;
};
