#pragma once
// Default contents of the configuration image and the routines that maintain it.
#include "config/config_image.h"

void SetAllDefaults(ConfigImage& image);
// Bytes 0..5291 receive the default settings block.
void SetSettingsDefaults(ConfigImage& image);
// Bytes 5292..5301 receive the ten default mode-memory bytes.
void SetModesMemoryDefaults(ConfigImage& image);
// Bytes 5304..5327 become zero.
void SetSystemParametersDefaults(ConfigImage& image);
// The control-phone header and all 500 records, with their check bytes.
void SetControlPhoneDefaults(ConfigImage& image);
// Recomputes the check byte of control-phone record 0..499.
void UpdateRecordCheck(ConfigImage& image, int record);
// Bytes 2934..2937 receive their default values.
void RestoreGprsConnectionDefaults(ConfigImage& image);
// Removes blanks inside the 16-byte phone-number text field at `offset`.
void RemoveSpaces(ConfigImage& image, std::size_t offset);

// The complete default image (what SetAllDefaults writes), built once; its
// bytes 0..5291 are the default settings block.
const ConfigImage& DefaultImage();
