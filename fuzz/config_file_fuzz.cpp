// Fuzzes the ".cnt" reader with arbitrary file contents and checks its promises:
// on failure the image is untouched; on success exactly bytes 0..5291 changed,
// to the file's body, and the file had a valid header and check byte; and what
// was read saves and reads back again.
#include "config/config_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr std::size_t kHeaderSize = 35, kBodySize = 5292;
constexpr char kHeader[] = "[RZNControllerConfiguration_v01.02]";

QString TempPath(const char* name) {
    char dir[] = "/tmp/rzn-fuzz-XXXXXX";
    static const QString base = QString::fromLatin1(mkdtemp(dir));
    return base + QLatin1Char('/') + QLatin1String(name);
}

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

ConfigImage Pattern() {
    ConfigImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image.setU8(i, static_cast<std::uint8_t>(i * 31 + 5));
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString input = TempPath("input.cnt");
    static const QString output = TempPath("output.cnt");
    static const ConfigImage pattern = Pattern();

    FILE* f = std::fopen(input.toLocal8Bit().constData(), "wb");
    Require(f != nullptr, "temporary file");
    Require(std::fwrite(data, 1, size, f) == size && std::fclose(f) == 0, "temporary write");

    ConfigImage image = pattern;
    const int result = ReadConfigFile(image, input);
    Require(result >= FileOk && result <= FileVersionMismatch, "result code in range");
    if (result != FileOk) {
        Require(image == pattern, "image untouched on failure");
        return 0;
    }

    Require(size >= kHeaderSize + kBodySize + 1, "accepted file is complete");
    Require(std::memcmp(data, kHeader, kHeaderSize) == 0, "accepted header");
    Require(std::memcmp(image.data(), data + kHeaderSize, kBodySize) == 0, "body copied");
    std::uint8_t x = 0;
    for (std::size_t i = 0; i < kBodySize; ++i)
        x ^= data[kHeaderSize + i];
    Require(data[kHeaderSize + kBodySize] == static_cast<std::uint8_t>(-x), "check byte");
    Require(std::memcmp(image.data() + kBodySize, pattern.data() + kBodySize,
                        image.size() - kBodySize) == 0,
            "only the settings block changed");

    // The accepted body saves and reads back, without its password, as long as
    // it carries the supported version text; any other is refused as such.
    ConfigImage saved = image;
    Require(WriteConfigFile(saved, output) == FileOk, "save of an accepted file");
    ConfigImage again = pattern;
    const int reread = ReadConfigFile(again, output);
    if (std::memcmp(image.data() + 3, "01.02", 5) != 0) {
        Require(reread == FileVersionMismatch && again == pattern, "other version refused");
        return 0;
    }
    Require(reread == FileOk, "saved file reads back");
    for (std::size_t i = 0; i < kBodySize; ++i) {
        const bool password = i >= 20 && i <= 28;
        Require(again.u8(i) == (password ? 0 : image.u8(i)), "round trip");
    }
    return 0;
}
