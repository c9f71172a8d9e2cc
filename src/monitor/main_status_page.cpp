#include "monitor/main_status_page.h"

#include <QLabel>
#include <QVBoxLayout>

MainStatusPage::MainStatusPage(const UiTexts& texts, QWidget* parent)
    : Page(QStringLiteral("Panel10"), texts, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeTitle(QStringLiteral("Label30")));
    ActionName = new QLabel(this);
    ActionName->setObjectName(QStringLiteral("ActionName"));
    layout->addStretch();
    layout->addWidget(ActionName);
}

void MainStatusPage::prepare(int pageIndex) {
    (void)pageIndex;
    ActionName->setText(QString());
}
