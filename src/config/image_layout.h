#pragma once
// Blocks and regions of the configuration image: the controller's own memory layout.
#include <cstddef>

namespace layout {

constexpr std::size_t kImageSize = 23360;

constexpr std::size_t kSettingsOffset = 0;
constexpr std::size_t kSettingsSize = 5292;
constexpr std::size_t kModesMemoryOffset = 5292;
constexpr std::size_t kModesMemorySize = 10;
constexpr std::size_t kGapOffset = 5302;
constexpr std::size_t kSystemParametersOffset = 5304;
constexpr std::size_t kSystemParametersSize = 24;
constexpr std::size_t kControlPhoneListOffset = 5328;
constexpr std::size_t kControlPhoneListSize = 18032;
constexpr std::size_t kControlPhoneHeaderSize = 32;
constexpr std::size_t kControlPhoneRecordsOffset = 5360;
constexpr std::size_t kControlPhoneRecordSize = 36;
constexpr std::size_t kControlPhoneRecordCount = 500;
constexpr std::size_t kControlPhoneCheckByte = 32;

// Configuration tag: byte 0 = 1, bytes 1..8 = "v.01.02" and a zero byte.
constexpr std::size_t kConfigTagSize = 9;
constexpr std::size_t kVersionTextOffset = 3; // "01.02"
constexpr std::size_t kVersionTextSize = 5;

// Administrative password: a 9-byte text at 20..28.
constexpr std::size_t kAdminPasswordOffset = 20;
constexpr std::size_t kAdminPasswordSize = 9;

// Record regions of the settings block.
constexpr std::size_t kConnectionOffset = 68, kConnectionSize = 36, kConnectionCount = 8;
constexpr std::size_t kInputCommonOffset = 356;
constexpr std::size_t kInputOffset = 360, kInputSize = 92, kInputCount = 16;
constexpr std::size_t kOutputOffset = 1832, kOutputSize = 52, kOutputCount = 7;
constexpr std::size_t kScenarioOffset = 2196, kScenarioSize = 34, kScenarioCount = 14;
constexpr std::size_t kClockOffset = 2672;
constexpr std::size_t kTaskOffset = 2680, kTaskSize = 16, kTaskCount = 8;
constexpr std::size_t kPowerOffset = 2808;
constexpr std::size_t kBalanceOffset = 2820;
constexpr std::size_t kTemperatureOffset = 2842;
constexpr std::size_t kGprsOffset = 2852;
constexpr std::size_t kServerOffset = 2940, kServerSize = 44, kServerCount = 3;
constexpr std::size_t kReservedOffset = 3072, kReservedSize = 15;
constexpr std::size_t kPerimeterOffset = 3087, kPerimeterSize = 51, kPerimeterCount = 4;
constexpr std::size_t kTouchKeyOffset = 3292, kTouchKeySize = 32, kTouchKeyCount = 32;
constexpr std::size_t kProfileOffset = 4316, kProfileSize = 122, kProfileCount = 8;

} // namespace layout
