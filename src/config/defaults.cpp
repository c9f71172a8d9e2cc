// The default image and the routines that restore parts of it.
#include "config/defaults.h"

#include "config/defaults_regions.h"

namespace {

// Saved operating modes as the controller keeps them after a reset.
constexpr std::uint8_t kModesMemory[layout::kModesMemorySize] = {
    0x00, 0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40, 0x00,
};

// The GPRS connection strategy bytes the page's "defaults" button restores.
constexpr std::size_t kGprsConnectionOffset = 2934, kGprsConnectionSize = 4;

constexpr std::size_t kPhoneFieldSize = 16;
constexpr std::uint8_t kBlank = 0x20;

ConfigImage BuildDefaultImage() {
    ConfigImage image;
    defaults::WriteSystemDefaults(image);
    defaults::WriteGprsDefaults(image);
    defaults::WriteChannelDefaults(image);
    defaults::WriteBehaviourDefaults(image);
    SetModesMemoryDefaults(image);
    SetSystemParametersDefaults(image);
    SetControlPhoneDefaults(image);
    return image;
}

} // namespace

const ConfigImage& DefaultImage() {
    static const ConfigImage image = BuildDefaultImage();
    return image;
}

void SetAllDefaults(ConfigImage& image) {
    SetSettingsDefaults(image);
    SetModesMemoryDefaults(image);
    SetSystemParametersDefaults(image);
    SetControlPhoneDefaults(image);
}

void SetSettingsDefaults(ConfigImage& image) {
    image.copyFrom(DefaultImage(), layout::kSettingsOffset, layout::kSettingsSize);
}

void SetModesMemoryDefaults(ConfigImage& image) {
    for (std::size_t i = 0; i < layout::kModesMemorySize; ++i)
        image.setU8(layout::kModesMemoryOffset + i, kModesMemory[i]);
}

void SetSystemParametersDefaults(ConfigImage& image) {
    image.fill(layout::kSystemParametersOffset, layout::kSystemParametersSize, 0);
}

void RestoreGprsConnectionDefaults(ConfigImage& image) {
    image.copyFrom(DefaultImage(), kGprsConnectionOffset, kGprsConnectionSize);
}

void RemoveSpaces(ConfigImage& image, std::size_t offset) {
    std::uint8_t* field = image.data() + offset;
    (void)image.u8(offset + kPhoneFieldSize - 1); // bounds check
    std::size_t p = 0;
    while (p < kPhoneFieldSize) {
        if (field[p] != kBlank) {
            ++p;
            continue;
        }
        // Close the gap: the rest of the field moves one byte towards the start.
        for (std::size_t i = p; i + 1 < kPhoneFieldSize; ++i)
            field[i] = field[i + 1];
        field[kPhoneFieldSize - 1] = 0;
    }
}
