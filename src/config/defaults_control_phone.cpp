// Defaults of the control-phone list and the check byte of its records.
#include "config/defaults.h"

namespace {

// Record template: 24 bytes 0x00, 8 bytes 0xFF, the check byte and 3 bytes 0x00.
constexpr std::size_t kZeroHead = 24, kFfRun = 8;

std::size_t RecordStart(int record) {
    return layout::kControlPhoneRecordsOffset +
           layout::kControlPhoneRecordSize * static_cast<std::size_t>(record);
}

} // namespace

void SetControlPhoneDefaults(ConfigImage& image) {
    image.fill(layout::kControlPhoneListOffset, layout::kControlPhoneHeaderSize, 0);
    for (int i = 0; i < static_cast<int>(layout::kControlPhoneRecordCount); ++i) {
        const std::size_t start = RecordStart(i);
        image.fill(start, layout::kControlPhoneRecordSize, 0x00);
        image.fill(start + kZeroHead, kFfRun, 0xFF);
        UpdateRecordCheck(image, i);
    }
}

void UpdateRecordCheck(ConfigImage& image, int record) {
    const std::size_t start = RecordStart(record);
    const std::size_t check = start + layout::kControlPhoneCheckByte;
    image.setU8(check, 0);
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < layout::kControlPhoneRecordSize; ++i)
        x ^= image.u8(start + i);
    // The check byte is the two's complement of the XOR of the record taken
    // with a zero check byte.
    image.setU8(check, static_cast<std::uint8_t>(0x100 - x));
}
