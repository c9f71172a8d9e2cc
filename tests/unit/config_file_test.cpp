// The ".cnt" configuration file: what the writer puts in it, every result of
// the reader, and that failures leave both the image and the old file alone.
#include "config/config_file.h"
#include "config/defaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr qsizetype kHeaderSize = 35;
constexpr qsizetype kBodySize = 5292;
constexpr qsizetype kFileSize = kHeaderSize + kBodySize + 1;
const QByteArray kHeader = "[RZNControllerConfiguration_v01.02]";

// A settings block in which nearly every byte differs from its neighbours and
// from the defaults, with the default tag and a non-empty password.
ConfigImage PatternImage() {
    ConfigImage image;
    SetAllDefaults(image);
    for (std::size_t i = 9; i < 5292; ++i)
        image.setU8(i, static_cast<std::uint8_t>(i * 13 + 7));
    image.setTextPadded(20, 9, QStringLiteral("secret12"));
    return image;
}

std::uint8_t CheckByte(const QByteArray& body) {
    std::uint8_t x = 0;
    for (char c : body)
        x ^= static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(-x);
}

// A file as the writer makes it: header, body, check byte.
QByteArray FileBytes(const QByteArray& header, const QByteArray& body) {
    return header + body + char(CheckByte(body));
}

QByteArray BodyOf(const ConfigImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), kBodySize);
}

// The settings block as a file carries it: the password bytes 20..28 zero.
QByteArray FileBodyOf(const ConfigImage& image) {
    QByteArray body = BodyOf(image);
    body.replace(20, 9, QByteArray(9, '\0'));
    return body;
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

ConfigImage Filled(std::uint8_t value) {
    ConfigImage image;
    image.fill(0, image.size(), value);
    return image;
}

class ConfigFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(ConfigFile, RoundTripRestoresEveryByteButThePassword) {
    ConfigImage image = PatternImage();
    const ConfigImage original = image;
    ASSERT_EQ(WriteConfigFile(image, path("a.cnt")), FileOk);

    // The working image loses the password's first byte and nothing else.
    for (std::size_t i = 0; i < image.size(); ++i)
        EXPECT_EQ(image.u8(i), i == 20 ? 0 : original.u8(i)) << "byte " << i;
    EXPECT_EQ(image.text(20, 9), QString());

    ConfigImage loaded = Filled(0xEE);
    ASSERT_EQ(ReadConfigFile(loaded, path("a.cnt")), FileOk);
    for (std::size_t i = 0; i < 5292; ++i) {
        const bool password = i >= 20 && i <= 28;
        EXPECT_EQ(loaded.u8(i), password ? 0 : original.u8(i)) << "byte " << i;
    }
    // Only the settings block comes from a file.
    for (std::size_t i = 5292; i < loaded.size(); ++i)
        ASSERT_EQ(loaded.u8(i), 0xEE) << "byte " << i;
}

TEST_F(ConfigFile, WrittenFileLayoutAndNoPasswordByte) {
    ConfigImage image = PatternImage();
    ASSERT_EQ(WriteConfigFile(image, path("a.cnt")), FileOk);
    const QByteArray file = ReadAll(path("a.cnt"));
    ASSERT_EQ(file.size(), kFileSize);
    EXPECT_EQ(file.left(kHeaderSize), kHeader);
    EXPECT_EQ(file.mid(kHeaderSize + 20, 9), QByteArray(9, '\0'));
    EXPECT_FALSE(file.contains("ecret12"));
    // The check byte is the two's complement of the XOR of the body as written.
    const QByteArray body = file.mid(kHeaderSize, kBodySize);
    std::uint8_t x = 0;
    for (char c : body)
        x ^= static_cast<std::uint8_t>(c);
    EXPECT_EQ(static_cast<std::uint8_t>(x + static_cast<std::uint8_t>(file.back())), 0);
}

TEST_F(ConfigFile, HeaderCarriesTheImageVersionText) {
    struct Case {
        const char* version; // image bytes 3..7
        QByteArray header;   // what the file starts with
        int readBack;
    };
    const Case cases[] = {
        {"01.02", "[RZNControllerConfiguration_v01.02]", FileOk},
        {"01.00", "[RZNControllerConfiguration_v01.00]", FileVersionMismatch},
        // A zero byte in the version text ends the header there.
        {"01\0.2", "[RZNControllerConfiguration_v01", FileVersionMismatch},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        ConfigImage image = DefaultImage();
        std::memcpy(image.data() + 3, c.version, 5);
        ASSERT_EQ(WriteConfigFile(image, path("v.cnt")), FileOk);
        const QByteArray file = ReadAll(path("v.cnt"));
        EXPECT_EQ(file.size(), c.header.size() + kBodySize + 1);
        EXPECT_TRUE(file.startsWith(c.header));
        EXPECT_EQ(file.mid(c.header.size(), kBodySize), FileBodyOf(image));
        ConfigImage loaded;
        EXPECT_EQ(ReadConfigFile(loaded, path("v.cnt")), c.readBack);
    }
}

TEST_F(ConfigFile, ReaderResultsAndImageUntouchedOnFailure) {
    const QByteArray body = BodyOf(PatternImage());
    QByteArray changed = FileBytes(kHeader, body);
    changed[kHeaderSize + 100] = static_cast<char>(changed[kHeaderSize + 100] ^ 0x04);
    QByteArray badCheck = FileBytes(kHeader, body);
    badCheck.back() = static_cast<char>(badCheck.back() + 1);

    struct Case {
        const char* name;
        QByteArray content;
        int result;
    };
    const Case cases[] = {
        {"valid", FileBytes(kHeader, body), FileOk},
        {"trailing bytes", FileBytes(kHeader, body) + "extra bytes", FileOk},
        {"empty file", "", FileVersionMismatch},
        {"part of the prefix", "[RZNControllerCon", FileVersionMismatch},
        {"whole prefix only", "[RZNControllerConfiguration_v", FileVersionMismatch},
        {"prefix and half a version", "[RZNControllerConfiguration_v01", FileVersionMismatch},
        {"other version", FileBytes("[RZNControllerConfiguration_v01.00]", body),
         FileVersionMismatch},
        {"foreign file", QByteArray(6000, 'x'), FileUnknownFormat},
        {"prefix in other case", FileBytes("[rznControllerConfiguration_v01.02]", body),
         FileUnknownFormat},
        {"header only", kHeader, FileUnknownFormat},
        {"truncated body", kHeader + body.left(100), FileUnknownFormat},
        {"body without check byte", kHeader + body, FileUnknownFormat},
        {"wrong check byte", badCheck, FileUnknownFormat},
        {"one body byte changed", changed, FileUnknownFormat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path("r.cnt"), c.content);
        ConfigImage image = Filled(0x5A);
        EXPECT_EQ(ReadConfigFile(image, path("r.cnt")), c.result);
        if (c.result == FileOk) {
            EXPECT_EQ(BodyOf(image), body);
            EXPECT_EQ(image.u8(5292), 0x5A);
        } else {
            EXPECT_EQ(image, Filled(0x5A));
        }
    }
}

TEST_F(ConfigFile, FilesThatCannotBeOpened) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.cnt")));
    const QString cases[] = {path("missing.cnt"), path("folder.cnt"), path("no-such-folder/a.cnt")};
    for (const QString& p : cases) {
        SCOPED_TRACE(p.toStdString());
        ConfigImage image = Filled(0x11);
        EXPECT_EQ(ReadConfigFile(image, p), FileCannotOpen);
        EXPECT_EQ(image, Filled(0x11));
    }
}

TEST_F(ConfigFile, ReadOnlyFileIsRead) {
    ConfigImage image = PatternImage();
    ASSERT_EQ(WriteConfigFile(image, path("ro.cnt")), FileOk);
    ASSERT_TRUE(QFile::setPermissions(path("ro.cnt"), QFile::ReadOwner | QFile::ReadGroup));
    ConfigImage loaded;
    EXPECT_EQ(ReadConfigFile(loaded, path("ro.cnt")), FileOk);
    EXPECT_EQ(BodyOf(loaded), FileBodyOf(image));
}

TEST_F(ConfigFile, FileThatRefusesWriteAccessIsStillRead) {
    // A running executable cannot be opened for writing, not even by root; a
    // reader that asked for write access would call it "cannot open". Read
    // only, it is simply not a configuration file.
    const QString self = QCoreApplication::applicationFilePath();
    QFile probe(self);
    ASSERT_FALSE(probe.open(QIODevice::ReadWrite)) << "expected the running test to be busy";
    ConfigImage image = Filled(0x22);
    EXPECT_EQ(ReadConfigFile(image, self), FileUnknownFormat);
    EXPECT_EQ(image, Filled(0x22));
}

TEST_F(ConfigFile, SaveReplacesAnExistingFileWhole) {
    WriteBytes(path("old.cnt"), QByteArray(20000, 'o'));
    ConfigImage image = DefaultImage();
    ASSERT_EQ(WriteConfigFile(image, path("old.cnt")), FileOk);
    EXPECT_EQ(ReadAll(path("old.cnt")), FileBytes(kHeader, FileBodyOf(image)));
}

TEST_F(ConfigFile, FailedSaveKeepsTheOldFile) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.cnt")));
    WriteBytes(path("folder.cnt/inside"), "kept");
    const QString cases[] = {path("folder.cnt"), path("no-such-folder/a.cnt")};
    for (const QString& p : cases) {
        SCOPED_TRACE(p.toStdString());
        ConfigImage image = PatternImage();
        EXPECT_EQ(WriteConfigFile(image, p), FileCannotOpen);
    }
    EXPECT_TRUE(QFileInfo(path("folder.cnt")).isDir());
    EXPECT_EQ(ReadAll(path("folder.cnt/inside")), "kept");
    // Nothing besides what the test made was left behind.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("folder.cnt")});
}

TEST_F(ConfigFile, SaveThatFailsWhileWritingKeepsTheOldFile) {
    // A file size limit makes the write itself fail part-way (for root too).
    ConfigImage old = DefaultImage();
    ASSERT_EQ(WriteConfigFile(old, path("a.cnt")), FileOk);
    const QByteArray before = ReadAll(path("a.cnt"));

    ConfigImage image = PatternImage();
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = WriteConfigFile(image, path("a.cnt"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, FileCannotOpen);
    EXPECT_EQ(ReadAll(path("a.cnt")), before);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("a.cnt")});
}

TEST_F(ConfigFile, FailedSaveInAWriteProtectedFolderKeepsTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into write-protected folders";
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("locked")));
    const QString target = path("locked/a.cnt");
    ConfigImage old = DefaultImage();
    ASSERT_EQ(WriteConfigFile(old, target), FileOk);
    const QByteArray before = ReadAll(target);
    ASSERT_TRUE(QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner));
    ConfigImage image = PatternImage();
    EXPECT_EQ(WriteConfigFile(image, target), FileCannotOpen);
    EXPECT_EQ(ReadAll(target), before);
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
