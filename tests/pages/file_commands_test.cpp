// "Установить стандартную конфигурацию", "Открыть файл конфигурации...",
// "Сохранить текущую конфигурацию в файл..." through their dialogs.
#include "app/main_window.h"
#include "config/config_file.h"
#include "config/defaults.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/qt_print.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace {

struct Seen {
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Accepts the file dialog with `path` (or cancels it when empty); `then`
// handles a message box that may follow.
void answerFileDialog(const QString& path, Seen* seen = nullptr,
                      QMessageBox::StandardButton answer = QMessageBox::Ok) {
    onNextModal([path, seen, answer](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        if (seen) {
            onNextModal([seen, answer](QWidget* box) {
                auto* mb = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(mb, nullptr);
                seen->caption = mb->windowTitle();
                seen->text = mb->text();
                seen->icon = mb->icon();
                mb->button(answer)->click();
            });
        }
        // The name field has the focus, so type into it as a user would.
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class FileCommandsTest : public ::testing::Test {
protected:
    TempWorkDir dir;
    TForm1 w;
    ConfigImage defaults = [] {
        ConfigImage d;
        SetAllDefaults(d);
        return d;
    }();
};

} // namespace

TEST_F(FileCommandsTest, StandardConfigurationReplacesOnlyTheSettingsBlock) {
    w.configImage().setU8(10, 7);
    w.configImage().setU8(5291, 7);
    w.configImage().setU8(5300, 7); // mode memory
    w.configImage().setU8(5310, 7); // system parameters
    w.setStatusPanelText(0, "/x/other.cnt");
    w.FileNew1Execute();
    EXPECT_EQ(w.configImage().u8(10), defaults.u8(10));
    EXPECT_EQ(w.configImage().u8(5291), defaults.u8(5291));
    EXPECT_EQ(w.configImage().u8(5300), 7);
    EXPECT_EQ(w.configImage().u8(5310), 7);
    EXPECT_EQ(w.statusPanelText(0), "default.cnt");
}

TEST_F(FileCommandsTest, OpenLoadsAGoodFileAndNamesIt) {
    ConfigImage other = defaults;
    other.setU8(400, 0x33);
    const QString path = dir.path("site.cnt");
    ASSERT_EQ(WriteConfigFile(other, path), FileOk);
    answerFileDialog(path);
    w.FileOpen1Execute();
    EXPECT_EQ(w.configImage().u8(400), 0x33);
    EXPECT_EQ(w.statusPanelText(0), QDir::toNativeSeparators(path));
    EXPECT_EQ(w.OpenDialog1->windowTitle(), "Открытие файла конфигурации");
    EXPECT_EQ(w.OpenDialog1->nameFilters(), QStringList{"Файлы конфигурации (*.cnt)"});
}

TEST_F(FileCommandsTest, OpenReportsEachFailureAndKeepsTheImage) {
    const QString header = "[RZNControllerConfiguration_v01.02]";
    QByteArray good;
    {
        const QString path = dir.path("good.cnt");
        ConfigImage img = defaults;
        ASSERT_EQ(WriteConfigFile(img, path), FileOk);
        good = fileBytes(path);
    }
    QByteArray corrupted = good;
    corrupted[100] = static_cast<char>(corrupted[100] ^ 1);
    QByteArray otherVersion = good;
    otherVersion.replace(29, 5, "01.00");
    const struct {
        const char* name;
        QByteArray bytes;
        const char* text;
    } cases[] = {
        {"empty.cnt", QByteArray(),
         "Несоответствие версий! Файл не может быть использован для конфигурирования этого "
         "устройства."},
        {"foreign.cnt", QByteArray("[SomethingElse_v01.02]xxxxxxxxxxxxxxxxxxxxxxxx"),
         "Неизвестный формат файла"},
        {"corrupted.cnt", corrupted, "Неизвестный формат файла"},
        {"version.cnt", otherVersion,
         "Несоответствие версий! Файл не может быть использован для конфигурирования этого "
         "устройства."},
        {"truncated.cnt", good.left(3000), "Неизвестный формат файла"},
    };
    w.configImage().setU8(400, 0x44);
    const ConfigImage before = w.configImage();
    for (const auto& c : cases) {
        const QString path = dir.path(c.name);
        writeBytes(path, c.bytes);
        Seen seen;
        answerFileDialog(path, &seen);
        w.FileOpen1Execute();
        EXPECT_EQ(seen.caption, "Открытие файла конфигурации") << c.name;
        EXPECT_EQ(seen.text, QString::fromUtf8(c.text)) << c.name;
        EXPECT_EQ(seen.icon, QMessageBox::Warning) << c.name;
        EXPECT_TRUE(w.configImage() == before) << c.name;
        EXPECT_EQ(w.statusPanelText(0), "default.cnt") << c.name;
    }
}

TEST_F(FileCommandsTest, CancelChangesNothing) {
    w.configImage().setU8(400, 0x44);
    const ConfigImage before = w.configImage();
    answerFileDialog(QString());
    w.FileOpen1Execute();
    answerFileDialog(QString());
    w.FileSave1Execute();
    EXPECT_TRUE(w.configImage() == before);
    EXPECT_EQ(w.statusPanelText(0), "default.cnt");
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.cnt"}).isEmpty());
}

TEST_F(FileCommandsTest, SaveWritesTheFileAndAsksBeforeReplacing) {
    w.configImage().setU8(400, 0x55);
    w.configImage().setTextPadded(20, 9, "secret");
    const QString path = dir.path("saved.cnt");
    answerFileDialog(dir.path("saved")); // the default extension is added
    w.FileSave1Execute();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(w.statusPanelText(0), QDir::toNativeSeparators(path));
    EXPECT_EQ(w.configImage().u8(20), 0);
    EXPECT_FALSE(fileBytes(path).contains("ecret"));
    ConfigImage read;
    ASSERT_EQ(ReadConfigFile(read, path), FileOk);
    EXPECT_EQ(read.u8(400), 0x55);

    // Existing file, answer No: the file stays as it was.
    w.configImage().setU8(400, 0x66);
    const QByteArray old = fileBytes(path);
    Seen seen;
    answerFileDialog(path, &seen, QMessageBox::No);
    w.FileSave1Execute();
    EXPECT_EQ(seen.caption, "Сохранение конфигурации");
    EXPECT_EQ(seen.text, "Файл уже существует, заменить?");
    EXPECT_EQ(fileBytes(path), old);

    // Answer Yes: replaced.
    answerFileDialog(path, &seen, QMessageBox::Yes);
    w.FileSave1Execute();
    ASSERT_EQ(ReadConfigFile(read, path), FileOk);
    EXPECT_EQ(read.u8(400), 0x66);
}

TEST_F(FileCommandsTest, FailedSaveIsReportedAndKeepsTheStatusBar) {
    // The folder of the chosen name is a plain file: the save cannot succeed.
    writeBytes(dir.path("blocker"), "x");
    const QString path = dir.path("blocker/site.cnt");
    Seen failure;
    answerFileDialog(path, &failure);
    w.FileSave1Execute();
    EXPECT_EQ(failure.caption, "Сохранение конфигурации");
    EXPECT_EQ(failure.text, "Невозможно сохранить файл");
    EXPECT_EQ(failure.icon, QMessageBox::Warning);
    EXPECT_EQ(w.statusPanelText(0), "default.cnt");
}
