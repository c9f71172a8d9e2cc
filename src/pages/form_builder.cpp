#include "pages/form_builder.h"

#include <QFontMetrics>

namespace form {

QLabel* label(const char* name, const QString& text, bool wrap) {
    auto* l = make<QLabel>(name, text);
    l->setWordWrap(wrap);
    return l;
}

QGroupBox* group(const char* name, const QString& title) {
    return make<QGroupBox>(name, title);
}

void addRow(QGridLayout* grid, QWidget* caption, QWidget* control, int controlWidth) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    if (controlWidth > 0)
        control->setFixedWidth(controlWidth);
    grid->addWidget(control, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    grid->setColumnStretch(0, 1);
}

int textWidth(const QWidget* w, int chars) {
    return QFontMetrics(w->font()).averageCharWidth() * chars + 16;
}

} // namespace form
