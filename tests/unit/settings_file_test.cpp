// The program settings file "RZNConfig.cfg": its 24 bytes, what is read back,
// what is refused, and names that do not fit the field.
#include "app/settings_file.h"

#include "support/qt_print.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QByteArray& name) {
    QByteArray field = name;
    field.resize(8, '\0');
    return QByteArray("[RZNProgCfg]") + field + QByteArray::fromHex("8642b820");
}

class SettingsFile : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(settings_file::fileName()); }
    void put(const QByteArray& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray contents() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // 0 and the name, or 1 and the name left as it was.
    std::pair<int, QString> readBack() const {
        QString name = QStringLiteral("unchanged");
        const int rc = settings_file::read(path(), name);
        return {rc, name};
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(SettingsFile, WritesTheTwentyFourBytesAndReadsThemBack) {
    ASSERT_EQ(settings_file::write(path(), QStringLiteral("COM12")), 0);
    EXPECT_EQ(contents(), fileBytes("COM12"));
    EXPECT_EQ(readBack(), std::make_pair(0, QStringLiteral("COM12")));

    // Replaced as a whole, never appended to.
    ASSERT_EQ(settings_file::write(path(), QStringLiteral("COM3")), 0);
    EXPECT_EQ(contents(), fileBytes("COM3"));
}

TEST_F(SettingsFile, DamagedFilesAreRefused) {
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"header only", QByteArray("[RZNProgCfg]")},
        {"no final value", fileBytes("COM5").left(20)},
        {"final value cut", fileBytes("COM5").left(22)},
        {"another header", QByteArray("[RZNProgCfX]") + fileBytes("COM5").mid(12)},
        {"another final value", fileBytes("COM5").left(20) + QByteArray::fromHex("8642b821")},
        {"empty name", fileBytes("")},
        // Eight characters leave no terminating zero inside the field.
        {"name fills the field", fileBytes("COM12345")},
        {"control character", fileBytes("CO\tM1")},
    };
    for (const Case& c : cases) {
        put(c.bytes);
        EXPECT_EQ(readBack().first, 1) << c.what;
    }
    QFile::remove(path());
    EXPECT_EQ(readBack(), std::make_pair(1, QStringLiteral("unchanged"))) << "missing";
}

TEST_F(SettingsFile, TrailingBytesAfterTheTwentyFourAreIgnored) {
    put(fileBytes("COM7") + "junk");
    EXPECT_EQ(readBack(), std::make_pair(0, QStringLiteral("COM7")));
}

TEST_F(SettingsFile, NamesAcceptedOnRead) {
#ifdef Q_OS_WIN
    // Windows port names: "C", "O" and "M" anywhere, case-sensitive.
    put(fileBytes("MOC7"));
    EXPECT_EQ(readBack(), std::make_pair(0, QStringLiteral("MOC7")));
    put(fileBytes("com7"));
    EXPECT_EQ(readBack().first, 1);
#else
    // Any non-empty name: Linux ports are not COM names.
    for (const char* name : {"MOC7", "ttyS0", "ttyUSB0", "pts/7"}) {
        put(fileBytes(name));
        EXPECT_EQ(readBack(), std::make_pair(0, QString::fromLatin1(name))) << name;
    }
#endif
}

TEST_F(SettingsFile, LongNamesAreNeverCutToAnotherPort) {
    ASSERT_EQ(settings_file::write(path(), QStringLiteral("COM3")), 0);
    const QByteArray before = contents();
    // Cut to seven characters each would name another port: the file keeps
    // the last name that could be stored.
    for (const char* name : {"ttyUSB10", "COM12345", "/dev/ttyUSB10"}) {
        EXPECT_EQ(settings_file::write(path(), QString::fromLatin1(name)), 1) << name;
        EXPECT_EQ(contents(), before) << name;
    }
    EXPECT_EQ(settings_file::write(path(), QString()), 1);
    EXPECT_EQ(settings_file::write(path(), QStringLiteral("CO\nM1")), 1);
    EXPECT_EQ(settings_file::write(path(), QStringLiteral("COM日")), 1);
    EXPECT_EQ(contents(), before);
}

#ifndef Q_OS_WIN
TEST_F(SettingsFile, DevicePathsAreStoredByTheirShortName) {
    // Qt opens "pts/7" as "/dev/pts/7" and "ttyUSB0" as "/dev/ttyUSB0".
    ASSERT_EQ(settings_file::write(path(), QStringLiteral("/dev/pts/7")), 0);
    EXPECT_EQ(contents(), fileBytes("pts/7"));
    ASSERT_EQ(settings_file::write(path(), QStringLiteral("/dev/ttyUSB0")), 0);
    EXPECT_EQ(readBack(), std::make_pair(0, QStringLiteral("ttyUSB0")));
}
#endif

TEST_F(SettingsFile, UnwritablePlaceGivesOne) {
    EXPECT_EQ(settings_file::write(dir.filePath("missing/dir/RZNConfig.cfg"), "COM1"), 1);
    // A directory where the file should be.
    ASSERT_TRUE(QDir(dir.path()).mkdir(settings_file::fileName()));
    EXPECT_EQ(settings_file::write(path(), QStringLiteral("COM1")), 1);
}
