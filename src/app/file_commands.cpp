// The three commands of the "Файл" menu: standard configuration, open, save.
#include "app/main_window.h"
#include "config/config_file.h"
#include "config/defaults.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

const char* const kOpenCaption = "Открытие файла конфигурации";
const char* const kSaveCaption = "Сохранение конфигурации";

void warn(QWidget* parent, const char* caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(caption), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace

void TForm1::FileNew1Execute() {
    SetSettingsDefaults(configImage());
    LoadPage(pageIndex());
    setStatusPanelText(0, QStringLiteral("default.cnt"));
}

void TForm1::FileOpen1Execute() {
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return;
    const QString path = QFileInfo(OpenDialog1->selectedFiles().constFirst()).absoluteFilePath();
    const int result = ReadConfigFile(configImage(), path);
    if (result == FileOk) {
        // The page on screen is not stored first: the file replaces its edits.
        LoadPage(pageIndex());
        setStatusPanelText(0, QDir::toNativeSeparators(path));
        return;
    }
    warn(this, kOpenCaption, ConfigFileOpenErrorText(result));
}

void TForm1::FileSave1Execute() {
    SaveDialog1->selectFile(statusPanelText(0));
    StorePage(pageIndex());
    LoadPage(pageIndex());
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    const QString path = QFileInfo(SaveDialog1->selectedFiles().constFirst()).absoluteFilePath();
    if (QFileInfo::exists(path)) {
        QMessageBox ask(QMessageBox::Warning, QString::fromUtf8(kSaveCaption),
                        QStringLiteral("Файл уже существует, заменить?"),
                        QMessageBox::Yes | QMessageBox::No, this);
        if (ask.exec() != QMessageBox::Yes)
            return;
    }
    if (WriteConfigFile(configImage(), path) != FileOk) {
        warn(this, kSaveCaption, ConfigFileSaveErrorText());
        return;
    }
    setStatusPanelText(0, QDir::toNativeSeparators(path));
}
