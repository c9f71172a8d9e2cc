#include "pages/page.h"

#include <QLabel>

Page::Page(const QString& panelName, const UiTexts& texts, QWidget* parent)
    : QWidget(parent), texts_(texts) {
    setObjectName(panelName);
}

QLabel* Page::makeTitle(const QString& name) {
    title_ = new QLabel(this);
    title_->setObjectName(name);
    QFont f = title_->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    title_->setFont(f);
    return title_;
}
