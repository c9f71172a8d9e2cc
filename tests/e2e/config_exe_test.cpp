// The rzn460-config executable as a user starts it: screenshots of every page,
// the working file rewritten at close, the single-instance guard, bad options.
#include "config/config_file.h"
#include "config/defaults.h"

#include "support/qt_print.h"
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct ExeResult {
    int exitCode = -1;
    QByteArray err;
};

class ConfigExe : public ::testing::Test {
protected:
    QProcess* start(const QStringList& args) {
        auto* p = new QProcess;
        p->setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", dir.path()); // the instance lock lives here
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(RZN_CONFIG_EXE), args);
        EXPECT_TRUE(p->waitForStarted());
        return p;
    }
    ExeResult run(const QStringList& args) {
        std::unique_ptr<QProcess> p(start(args));
        ExeResult r;
        EXPECT_TRUE(p->waitForFinished(30000));
        r.exitCode = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
        r.err = p->readAllStandardError();
        return r;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

// The file body (settings block) without the password bytes and the check byte.
QByteArray bodyWithoutPassword(QByteArray file) {
    file = file.mid(35, 5292);
    file.replace(20, 9, QByteArray(9, '\0'));
    return file;
}

} // namespace

TEST_F(ConfigExe, EveryPageRendersAndCloseKeepsTheWorkingFile) {
    ConfigImage image;
    SetAllDefaults(image);
    image.setTextPadded(20, 9, QStringLiteral("4321"));
    // Under the default strategy ("always connected") the GPRS page stores the
    // connection duration as 30, not the 3 of the default image.
    image.setBits(2937, 0, 4, 30);
    ASSERT_EQ(WriteConfigFile(image, path("original.cnt")), FileOk);
    const QByteArray original = bytes("original.cnt");
    for (int page = 0; page < 56; ++page) {
        QFile::remove(path("default.cnt"));
        ASSERT_TRUE(QFile::copy(path("original.cnt"), path("default.cnt")));
        const QString shot = path(QStringLiteral("page%1.png").arg(page));
        const ExeResult r = run({"--page", QString::number(page), "--screenshot", shot});
        ASSERT_EQ(r.exitCode, 0) << "page " << page << ": " << r.err.toStdString();
        const QImage img(shot);
        ASSERT_FALSE(img.isNull()) << "page " << page;
        EXPECT_EQ(img.width(), 925) << "page " << page;
        EXPECT_GT(img.height(), 554) << "page " << page;
        ASSERT_EQ(bytes("default.cnt").size(), 5328) << "page " << page;
        EXPECT_EQ(bodyWithoutPassword(bytes("default.cnt")), bodyWithoutPassword(original))
            << "page " << page;
    }
}

TEST_F(ConfigExe, CloseRewritesAnyWorkingFileByteExactExceptThePassword) {
    ConfigImage image;
    SetAllDefaults(image);
    // Arbitrary settings bytes, with a valid tag so the file is this version's.
    auto* rng = QRandomGenerator::global();
    for (std::size_t i = 9; i < 5292; ++i)
        image.setU8(i, static_cast<std::uint8_t>(rng->bounded(256)));
    image.setTextPadded(20, 9, QStringLiteral("87654321"));
    ASSERT_EQ(WriteConfigFile(image, path("default.cnt")), FileOk);
    // WriteConfigFile already left the password out; put it back in the file.
    QByteArray crafted = bytes("default.cnt");
    crafted.replace(35 + 20, 8, "87654321");
    std::uint8_t x = 0;
    for (int i = 0; i < 5292; ++i)
        x ^= static_cast<std::uint8_t>(crafted.at(35 + i));
    crafted[5327] = static_cast<char>(static_cast<std::uint8_t>(256 - x));
    {
        QFile f(path("default.cnt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(crafted);
    }
    const ExeResult r = run({"--screenshot", path("root.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray after = bytes("default.cnt");
    ASSERT_EQ(after.size(), 5328);
    EXPECT_EQ(after.left(35), crafted.left(35));
    EXPECT_EQ(after.mid(35 + 20, 9), QByteArray(9, '\0'));
    EXPECT_EQ(bodyWithoutPassword(after), bodyWithoutPassword(crafted));
}

TEST_F(ConfigExe, SecondInstanceSaysSoAndLeaves) {
    std::unique_ptr<QProcess> first(
        start({"--wait-ms", "8000", "--screenshot", path("first.png")}));
    // Give the first instance time to take the lock.
    QThread::msleep(1500);
    const ExeResult second = run({"--screenshot", path("second.png")});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(QString::fromLocal8Bit(second.err).contains("Программа уже запущена"))
        << second.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("second.png")));
    ASSERT_TRUE(first->waitForFinished(30000));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_TRUE(QFile::exists(path("first.png")));
}

TEST_F(ConfigExe, BadOptionsAreRefused) {
    for (const QStringList& args :
         {QStringList{"--page", "56"}, QStringList{"--page", "x"}, QStringList{"--bogus"},
          QStringList{"--port"}, QStringList{"--wait-ms", "-1"}}) {
        const ExeResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("Usage")) << args.join(' ').toStdString();
    }
}
