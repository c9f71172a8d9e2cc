#pragma once
// TAboutBox: the program name and version, the supported firmware versions,
// and links to the maker's site and support mailbox.
#include <QDialog>
#include <QUrl>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The caption shown beside the version ("для версии устройства" until set).
    QString versionsCaption = QStringLiteral("для версии устройства");

    static QUrl siteUrl();
    static QUrl mailUrl();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPlainTextEdit* MemoVersionList;
    QPushButton* OKButton;

signals:
    // A link was asked for; the box opens it with the desktop's handler.
    void linkRequested(const QUrl& url);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
};
