#include "app/about_box.h"

#include "link/device_id.h"
#include "monitor/main_status_page.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kSite = "https://www.rzn460.example";

QLabel* linkLabel(const QString& name, const QString& text, const QUrl& url, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%2</a>")
                       .arg(url.toString(QUrl::FullyEncoded), text.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(337, 289);

    auto* logo = new QLabel(QStringLiteral("RZN460"), this);
    logo->setObjectName(QStringLiteral("ProgramIcon"));
    logo->setFixedSize(250, 50);
    logo->setAlignment(Qt::AlignCenter);
    QFont big = logo->font();
    big.setPointSize(20);
    big.setBold(true);
    logo->setFont(big);
    logo->setStyleSheet(QStringLiteral("color:#1f4e8c; border:1px solid #1f4e8c;"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label3 = new QLabel(QStringLiteral("Ver. 1.3.24"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    MemoVersionList = new QPlainTextEdit(this);
    MemoVersionList->setObjectName(QStringLiteral("MemoVersionList"));
    MemoVersionList->setReadOnly(true);
    MemoVersionList->setEnabled(false);
    Label4 = linkLabel(QStringLiteral("Label4"), QString::fromLatin1(kSite), siteUrl(), this);
    Label5 =
        linkLabel(QStringLiteral("Label5"),
                  QStringLiteral("E-mail: ") + MainStatusPage::supportAddress(), mailUrl(), this);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);

    for (QLabel* link : {Label4, Label5})
        connect(link, &QLabel::linkActivated, this,
                [this](const QString& url) { emit linkRequested(QUrl(url)); });
    connect(this, &TAboutBox::linkRequested, this,
            [](const QUrl& url) { QDesktopServices::openUrl(url); });
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addWidget(Label1);
    auto* versionLine = new QHBoxLayout;
    versionLine->addWidget(Label3);
    versionLine->addWidget(Label2);
    versionLine->addStretch();
    layout->addLayout(versionLine);
    layout->addWidget(MemoVersionList, 1);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
}

QUrl TAboutBox::siteUrl() {
    return QUrl(QString::fromLatin1(kSite));
}

QUrl TAboutBox::mailUrl() {
    return QUrl(QStringLiteral("mailto:") + MainStatusPage::supportAddress() +
                QStringLiteral("?subject=RZN460"));
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TAboutBox::FormActivate() {
    Label1->setText(parentWidget() ? parentWidget()->window()->windowTitle() : QString());
    Label2->setText(versionsCaption);
    MemoVersionList->clear();
    for (const QString& v : SupportedVersions())
        MemoVersionList->appendPlainText(v);
}
