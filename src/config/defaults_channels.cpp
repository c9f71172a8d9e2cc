// Defaults of the connection, input and relay/output records.
#include "config/defaults_regions.h"

namespace defaults {
namespace {

// ConnectionRecord, apart from its group, which is the connection's own number.
constexpr BitField kConnectionRecord[] = {
    {17, 0, 3, 9}, // voice data dropped after 10 minutes
    {28, 0, 3, 9}, // SMS data dropped after 10 minutes
    {29, 0, 1, 1}, // message protocol: Russian
    {29, 2, 2, 1}, // messages name the user
};
constexpr BitField kConnectionGroup = {16, 2, 5, 0}; // value: N - 1

// Common input settings.
constexpr BitField kInputCommon[] = {
    {356, 0, 0, 1}, // sensor power always on
    {356, 1, 3, 3}, // loop power removed for 40 s
    {356, 4, 7, 0}, // re-scan after power-up: 0 s
    {357, 0, 2, 0}, // scan delay at power-up: 0 s
};

// InputRecord; the name is "ВХОД" followed by the input number.
constexpr std::size_t kInputNameOffset = 0, kInputNameSize = 17;
constexpr char kInputNamePrefix[] = "ВХОД";
constexpr TextField kInputStateNames[] = {
    {17, 17, "АКТИВЕН"},
    {34, 17, "НЕАКТИВЕН"},
};
constexpr BitField kInputRecord[] = {
    {52, 0, 3, 2}, // averaging 240 ms
    {52, 4, 6, 2}, // active level: between the thresholds
    {52, 7, 7, 0}, // not a 24-hour input
    {54, 0, 5, 0}, // no alarm delay
    {54, 6, 7, 1}, // outputs driven by the alarm event, blocking respected
    {55, 1, 3, 1}, // sensor type: discrete
    {63, 0, 1, 2}, // sensor power source: other
};
constexpr std::size_t kInputLowThreshold = 58, kInputHighThreshold = 60;
constexpr std::uint16_t kLowThreshold = 1365, kHighThreshold = 2730;
constexpr std::size_t kInputScaleMin = 68, kInputScaleMax = 72;
constexpr float kScaleMin = 0.0f, kScaleMax = 10.0f;

// OutputRecord, in OutputIndex order.
constexpr const char* kOutputNames[layout::kOutputCount] = {
    "РЕЛЕ1", "РЕЛЕ2", "ВЫХОД1", "ВЫХОД2", "ВЫХОД3", "ВЫХОД4", "ВЫХОД5",
};
constexpr std::size_t kOutputNameOffset = 0, kOutputNameSize = 17;
constexpr TextField kOutputStateNames[] = {
    {17, 17, "ВКЛ"},
    {34, 17, "ВЫКЛ"},
};
constexpr BitField kOutputRecord[] = {
    {51, 0, 4, 0}, // switching type: level
    {51, 5, 5, 1}, // output enabled
    {51, 6, 6, 0}, // not inverted
    {51, 7, 7, 1}, // remote control allowed
};

void WriteConnections(ConfigImage& image) {
    for (std::size_t n = 0; n < layout::kConnectionCount; ++n) {
        const std::size_t base = layout::kConnectionOffset + layout::kConnectionSize * n;
        WriteAll(image, base, kConnectionRecord);
        BitField group = kConnectionGroup;
        group.value = static_cast<unsigned>(n);
        Write(image, base, group);
    }
}

void WriteInputs(ConfigImage& image) {
    WriteAll(image, 0, kInputCommon);
    for (std::size_t n = 0; n < layout::kInputCount; ++n) {
        const std::size_t base = layout::kInputOffset + layout::kInputSize * n;
        image.setTextPadded(base + kInputNameOffset, kInputNameSize,
                            QString::fromUtf8(kInputNamePrefix) + QString::number(n + 1));
        WriteAll(image, base, kInputStateNames);
        WriteAll(image, base, kInputRecord);
        image.setU16(base + kInputLowThreshold, kLowThreshold);
        image.setU16(base + kInputHighThreshold, kHighThreshold);
        image.setF32(base + kInputScaleMin, kScaleMin);
        image.setF32(base + kInputScaleMax, kScaleMax);
    }
}

void WriteOutputs(ConfigImage& image) {
    for (std::size_t k = 0; k < layout::kOutputCount; ++k) {
        const std::size_t base = layout::kOutputOffset + layout::kOutputSize * k;
        image.setTextPadded(base + kOutputNameOffset, kOutputNameSize,
                            QString::fromUtf8(kOutputNames[k]));
        WriteAll(image, base, kOutputStateNames);
        WriteAll(image, base, kOutputRecord);
    }
}

} // namespace

void WriteChannelDefaults(ConfigImage& image) {
    WriteConnections(image);
    WriteInputs(image);
    WriteOutputs(image);
}

} // namespace defaults
