#pragma once
// The ".cnt" configuration file: a 35-character header, the settings block
// (image bytes 0..5291) and a check byte.
#include "config/config_image.h"

#include <QString>

enum ConfigFileResult : int {
    FileOk = 0,
    FileCannotOpen = 1,      // cannot be opened, read or written
    FileUnknownFormat = 2,   // header prefix or check byte wrong
    FileVersionMismatch = 3, // another configuration version
};

// Writes the settings block to `path` atomically (the old file survives a
// failed save). The administrative password never reaches the file: bytes
// 20..28 are written as zero, and byte 20 of the working image becomes 0.
int WriteConfigFile(ConfigImage& image, const QString& path);

// Reads `path` into bytes 0..5291 of `image`. On any result but FileOk the
// image is untouched.
int ReadConfigFile(ConfigImage& image, const QString& path);

// What the user is told when a file cannot be opened: the text for a result
// of ReadConfigFile other than FileOk.
QString ConfigFileOpenErrorText(int result);
// What the user is told when a file cannot be saved.
QString ConfigFileSaveErrorText();
