// Defaults of the GPRS page and the three server records.
#include "config/defaults_regions.h"

namespace defaults {
namespace {

// The access point of a public operator's GPRS service (MTS Russia).
constexpr TextField kAccessPoint[] = {
    {2852, 33, "internet.mts.ru"}, // APN
    {2885, 17, "mts"},             // login
    {2902, 17, "mts"},             // password
};

constexpr BitField kConnectionStrategy[] = {
    {2934, 0, 7, 255}, // always connected to the server
    {2935, 0, 2, 3},   // 3 connection attempts
    {2935, 3, 7, 3},   // ping every 3 minutes
    {2936, 0, 7, 3},   // unreachable server: pause 15 minutes
    {2937, 0, 4, 3},   // connection lasts 3 minutes
};

// Per server record: drop undelivered GPRS data after 10 minutes.
constexpr BitField kServerRecord[] = {
    {40, 4, 7, 9},
};

} // namespace

void WriteGprsDefaults(ConfigImage& image) {
    WriteAll(image, 0, kAccessPoint);
    WriteAll(image, 0, kConnectionStrategy);
    for (std::size_t k = 0; k < layout::kServerCount; ++k)
        WriteAll(image, layout::kServerOffset + layout::kServerSize * k, kServerRecord);
}

} // namespace defaults
