// rzn460-cli against the simulator on a pseudo-terminal: each command's
// frames and exit status.
#include "app/settings_file.h"
#include "config/config_file.h"
#include "config/defaults.h"
#include "link/frame.h"
#include "link/transaction_kind.h"
#include "support/qt_print.h"
#include "support/sim_process.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

namespace {

struct CliRun {
    int exitCode = -1;
    QString out, err;
};

constexpr std::uint8_t kIdentify = 5, kPassword = 17, kRestart = 16, kApply = 15, kStatus = 12;

class Cli : public ::testing::Test {
protected:
    void SetUp() override { startSim(); }

    // A restarted controller is silent for a moment.
    static constexpr int kRestartMs = 200;

    void startSim(const QStringList& options = {}) {
        QString error;
        ASSERT_TRUE(sim.start(
            QStringList{"--baud", "0", "--restart-ms", QString::number(kRestartMs)} + options,
            &error))
            << error.toStdString();
    }

    CliRun run(const QStringList& args, bool withPort = true) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(RZN_CLI_EXE),
                (withPort ? QStringList{"--port", sim.path()} : QStringList{}) + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        CliRun r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // Received frames as command bytes, in order.
    std::vector<int> commands() {
        std::vector<int> out;
        for (const QByteArray& f : sim.receivedFrames())
            out.push_back(static_cast<std::uint8_t>(f.at(1)));
        return out;
    }
    std::map<int, int> commandCounts() {
        std::map<int, int> n;
        for (int c : commands())
            ++n[c];
        return n;
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    SimProcess sim;
    QTemporaryDir dir;
};

int settingsWrite() {
    return *flashWriteCommand(FlashArea::Settings);
}
int settingsRead() {
    return *flashReadCommand(FlashArea::Settings);
}

} // namespace

TEST_F(Cli, IdentifyPrintsTheFieldsAndSendsOnlyTheIdentification) {
    const CliRun r = run({"identify"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.contains("device: RZN460\n")) << r.out;
    EXPECT_TRUE(r.out.contains("firmware: 01.02\n")) << r.out;
    EXPECT_TRUE(r.out.contains("device-supported: yes\nversion-supported: yes\n")) << r.out;
    EXPECT_EQ(commands(), std::vector<int>{kIdentify});
}

TEST_F(Cli, UnsupportedVersionEndsWithStatusThreeAndSendsNothingMore) {
    sim.stop();
    startSim({"--fw", "07.77"});
    CliRun r = run({"identify"});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_TRUE(r.out.contains("version-supported: no")) << r.out;

    ConfigImage image;
    SetAllDefaults(image);
    ASSERT_EQ(WriteConfigFile(image, path("a.cnt")), FileOk);
    sim.clearLog();
    r = run({"program", path("a.cnt")});
    EXPECT_EQ(r.exitCode, 3) << r.err;
    EXPECT_EQ(commands(), std::vector<int>{kIdentify});
}

TEST_F(Cli, ReadThenCompareIsEqualAndAChangeDiffers) {
    CliRun r = run({"read", path("read.cnt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ConfigImage image;
    ASSERT_EQ(ReadConfigFile(image, path("read.cnt")), FileOk);
    auto counts = commandCounts();
    EXPECT_EQ(counts[kIdentify], 1);
    EXPECT_EQ(counts[kPassword], 1);
    EXPECT_EQ(counts[settingsRead()], 21);
    EXPECT_EQ(counts[settingsWrite()], 0);

    sim.clearLog();
    r = run({"compare", path("read.cnt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    counts = commandCounts();
    EXPECT_EQ(counts[kPassword], 0); // compare needs no password
    EXPECT_EQ(counts[settingsRead()], 21);

    image.setU8(1000, static_cast<std::uint8_t>(image.u8(1000) ^ 0x01));
    ASSERT_EQ(WriteConfigFile(image, path("changed.cnt")), FileOk);
    r = run({"compare", path("changed.cnt")});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(r.err.contains("Данные в памяти контроллера отличаются от текущих")) << r.err;
}

TEST_F(Cli, ProgramThenCompareIsEqual) {
    ConfigImage image;
    SetAllDefaults(image);
    image.setU8(1000, 0x5A);
    image.setU8(5291, 0xA5);
    ASSERT_EQ(WriteConfigFile(image, path("site.cnt")), FileOk);
    CliRun r = run({"program", path("site.cnt"), "--clear-modes"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<int> c = commands();
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[0], kIdentify);
    EXPECT_EQ(c[1], kPassword);
    EXPECT_EQ(c.back(), kRestart);
    auto counts = commandCounts();
    EXPECT_EQ(counts[settingsWrite()], 21);
    EXPECT_EQ(counts[*flashWriteCommand(FlashArea::ModesMemory)], 1);

    QThread::msleep(2 * kRestartMs);
    sim.clearLog();
    r = run({"compare", path("site.cnt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;

    // Without a restart the controller is told to apply instead.
    sim.clearLog();
    r = run({"program", path("site.cnt"), "--no-restart"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    counts = commandCounts();
    EXPECT_EQ(counts[kRestart], 0);
    EXPECT_EQ(counts[kApply], 1);
}

TEST_F(Cli, PasswordComesFromTheOptionAndARefusalWritesNothing) {
    sim.stop();
    startSim({"--password", "4321"});
    ConfigImage image;
    SetAllDefaults(image);
    ASSERT_EQ(WriteConfigFile(image, path("a.cnt")), FileOk);
    CliRun r = run({"--password", "1111", "program", path("a.cnt")});
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(commandCounts()[settingsWrite()], 0);

    sim.clearLog();
    r = run({"--password", "4321", "program", path("a.cnt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(commandCounts()[settingsWrite()], 21);
    // The password frame carries the option's text.
    for (const QByteArray& f : sim.receivedFrames())
        if (static_cast<std::uint8_t>(f.at(1)) == kPassword) {
            EXPECT_EQ(f.mid(4, 9), QByteArray("4321\0\0\0\0\0", 9));
        }
}

TEST_F(Cli, ForeignConfigurationWritesNoFile) {
    sim.stop();
    startSim({"--foreign-tag"});
    const CliRun r = run({"read", path("x.cnt")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Контроллер не содержит достоверную конфигурацию.")) << r.err;
    EXPECT_FALSE(QFile::exists(path("x.cnt")));
}

TEST_F(Cli, StatusAndImeiAndRestart) {
    CliRun r = run({"status"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.contains("gsm: Зарегистрирован в домашней сети")) << r.out;
    EXPECT_TRUE(r.out.contains("perimeter 4: НАБЛЮДЕНИЕ")) << r.out;
    EXPECT_TRUE(r.out.contains("input 16: value")) << r.out;
    EXPECT_EQ(commands(), (std::vector<int>{kIdentify, kStatus}));

    ASSERT_TRUE(sim.command("output 1 on"));
    r = run({"status"});
    EXPECT_TRUE(r.out.contains("Реле 1: on\nРеле 2: off")) << r.out;

    sim.clearLog();
    r = run({"imei"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.trimmed().size(), 15) << r.out;

    sim.clearLog();
    r = run({"restart"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(commands(), (std::vector<int>{kIdentify, kPassword, kRestart}));
}

TEST_F(Cli, SilenceIsALinkFailure) {
    ASSERT_TRUE(sim.command("silent on"));
    const CliRun r = run({"identify"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("Нет ответа от устройства")) << r.err;
}

TEST_F(Cli, BadInputNeverTouchesTheController) {
    QFile bad(path("bad.cnt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("[RZNControllerConfiguration_v01.02]short");
    bad.close();
    const struct {
        QStringList args;
        bool withPort;
        const char* message;
    } cases[] = {
        {{"program"}, true, "needs a configuration file"},
        {{"frobnicate"}, true, "unknown command"},
        {{"identify", "--each"}, true, "go with program only"},
        {{"program", path("missing.cnt")}, true, "Невозможно открыть файл"},
        {{"program", path("bad.cnt")}, true, "Неизвестный формат файла"},
        {{"compare", path("bad.cnt")}, true, "Неизвестный формат файла"},
        {{"--port", path("no-such-port"), "identify"}, false, "cannot open the port"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args, c.withPort);
        EXPECT_EQ(r.exitCode, 4) << c.args.join(' ');
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err;
    }
    EXPECT_TRUE(sim.receivedFrames().empty());
    EXPECT_EQ(sim.modeSwitches(), 0);
}

TEST_F(Cli, EachProgramsOneControllerAfterAnother) {
    sim.stop();
    const QString link = path("controller");
    startSim({"--link", link, "--unique-id", "1,2,3,4"});
    ConfigImage image;
    SetAllDefaults(image);
    image.setU8(777, 0x77);
    ASSERT_EQ(WriteConfigFile(image, path("batch.cnt")), FileOk);

    QProcess cli;
    cli.start(QStringLiteral(RZN_CLI_EXE),
              {"--port", link, "program", path("batch.cnt"), "--each"});
    ASSERT_TRUE(cli.waitForStarted());
    const auto waitLines = [&cli](int n) {
        QByteArray out;
        for (int i = 0; i < 600 && out.count('\n') < n; ++i) {
            cli.waitForReadyRead(100);
            out += cli.readAllStandardOutput();
        }
        return out;
    };
    QByteArray out = waitLines(1);
    ASSERT_EQ(out.count('\n'), 1) << cli.readAllStandardError().toStdString();
    EXPECT_EQ(commandCounts()[settingsWrite()], 21);

    // The first controller comes back after its restart: it is not programmed again.
    QThread::msleep(1500);
    EXPECT_EQ(commandCounts()[settingsWrite()], 21);

    // Swap in another controller on the same port.
    sim.stop();
    startSim({"--link", link, "--unique-id", "5,6,7,8"});
    out += waitLines(1);
    cli.terminate(); // as Ctrl+C: ends after the current step
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("0000000001 0000000002 0000000003 0000000004\t")) << lines[0];
    EXPECT_TRUE(lines[0].endsWith("\tok")) << lines[0];
    EXPECT_TRUE(lines[1].startsWith("0000000005 0000000006 0000000007 0000000008\t")) << lines[1];
    EXPECT_TRUE(lines[1].endsWith("\tok")) << lines[1];
    EXPECT_EQ(commandCounts()[settingsWrite()], 21);
}

TEST_F(Cli, PortComesFromTheSettingsFileWhenNotGiven) {
    // The window keeps its port in RZNConfig.cfg of the working directory;
    // a port that is not there proves which name was taken.
    ASSERT_EQ(settings_file::write(path(settings_file::fileName()), "ttyQ97"), 0);
    CliRun r = run({"identify"}, false);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_TRUE(r.err.contains("cannot open the port ttyQ97")) << r.err;
    // Without a settings file the port is COM1.
    QFile::remove(path(settings_file::fileName()));
    r = run({"identify"}, false);
    EXPECT_TRUE(r.err.contains("cannot open the port COM1")) << r.err;
    EXPECT_TRUE(sim.receivedFrames().empty());
}
