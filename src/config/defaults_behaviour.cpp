// Defaults of the control scenarios, perimeters and profiles.
#include "config/defaults_regions.h"

namespace defaults {
namespace {

// ScenarioRecord words: repetition count, then segments (bit 15 = high level,
// bits 0-14 = duration in 100 ms steps); a zero duration ends the list.
constexpr std::uint16_t kEndless = 0, kOnce = 1;
constexpr std::uint16_t kHigh = 0x8000, kLow = 0x0000;

constexpr std::size_t kScenarioWords = layout::kScenarioSize / 2;

// Whole records: word 0, then the segments; the words not given are zero.
struct Scenario {
    std::uint16_t words[kScenarioWords];
};

constexpr Scenario kScenarios[] = {
    {{kEndless, kHigh | 1, kLow | 1}},
    {{kEndless, kHigh | 2, kLow | 2, kHigh | 2, kLow | 2}},
    {{kEndless, kHigh | 5, kLow | 5, kHigh | 10, kLow | 10}},
    {{kOnce, kHigh | 2, kLow | 2, kHigh | 2}},
    {{kOnce, kLow | 1, kHigh | 1, kLow | 2, kHigh | 0}},
    {{kEndless, kHigh | 2, kLow | 3}},
    {{kOnce, kHigh | 5}},
};
// Scenarios 8..14: 100 ms high, then low; a stale high word follows the end word.
constexpr Scenario kShortPulse = {{kOnce, kHigh | 1, kLow | 0, kHigh | 0}};
constexpr std::size_t kListedScenarios = sizeof kScenarios / sizeof kScenarios[0];

// PerimeterRecord: only the name is not zero.
constexpr std::size_t kPerimeterNameOffset = 0, kPerimeterNameSize = 17;
constexpr const char* kPerimeterNames[layout::kPerimeterCount] = {
    "ПЕРИМЕТР1",
    "ПЕРИМЕТР2",
    "ПЕРИМЕТР3",
    "ПЕРИМЕТР4",
};

// ProfileRecord: name, and per input block i the thresholds at +20+6i, +22+6i.
constexpr std::size_t kProfileNameOffset = 0, kProfileNameSize = 17;
constexpr const char* kProfileNames[layout::kProfileCount] = {
    "КОМФОРТ", "ЭКОНОМ", "ПРОФИЛЬ3", "ПРОФИЛЬ4", "ПРОФИЛЬ5", "ПРОФИЛЬ6", "ПРОФИЛЬ7", "ПРОФИЛЬ8",
};
constexpr std::size_t kProfileBlocks = 16, kProfileBlockOffset = 18, kProfileBlockSize = 6;
constexpr std::size_t kBlockLowThreshold = 2, kBlockHighThreshold = 4;
constexpr std::uint16_t kLowThreshold = 1365, kHighThreshold = 2730;

void WriteScenarios(ConfigImage& image) {
    for (std::size_t j = 0; j < layout::kScenarioCount; ++j) {
        const std::size_t base = layout::kScenarioOffset + layout::kScenarioSize * j;
        const Scenario& s = j < kListedScenarios ? kScenarios[j] : kShortPulse;
        for (std::size_t w = 0; w < kScenarioWords; ++w)
            image.setU16(base + 2 * w, s.words[w]);
    }
}

void WritePerimeters(ConfigImage& image) {
    for (std::size_t p = 0; p < layout::kPerimeterCount; ++p) {
        const std::size_t base = layout::kPerimeterOffset + layout::kPerimeterSize * p;
        image.setTextPadded(base + kPerimeterNameOffset, kPerimeterNameSize,
                            QString::fromUtf8(kPerimeterNames[p]));
    }
}

void WriteProfiles(ConfigImage& image) {
    for (std::size_t n = 0; n < layout::kProfileCount; ++n) {
        const std::size_t base = layout::kProfileOffset + layout::kProfileSize * n;
        image.setTextPadded(base + kProfileNameOffset, kProfileNameSize,
                            QString::fromUtf8(kProfileNames[n]));
        for (std::size_t i = 0; i < kProfileBlocks; ++i) {
            const std::size_t block = base + kProfileBlockOffset + kProfileBlockSize * i;
            image.setU16(block + kBlockLowThreshold, kLowThreshold);
            image.setU16(block + kBlockHighThreshold, kHighThreshold);
        }
    }
}

} // namespace

void WriteBehaviourDefaults(ConfigImage& image) {
    WriteScenarios(image);
    WritePerimeters(image);
    WriteProfiles(image);
}

} // namespace defaults
