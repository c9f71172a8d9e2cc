#include "widgets/select_list.h"

#include <QAbstractItemView>
#include <QScrollBar>

SelectList::SelectList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // Long items must not widen the page: the list is as wide as the layout
    // gives it, and the drop-down shows the full texts.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(6);
}

SelectList::SelectList(const QStringList& items, QWidget* parent) : SelectList(parent) {
    setItems(items);
}

void SelectList::setItems(const QStringList& items) {
    clear();
    addItems(items);
    setCurrentIndex(items.isEmpty() ? -1 : 0);
}

void SelectList::selectIndex(int index) {
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void SelectList::showPopup() {
    QAbstractItemView* v = view();
    v->setMinimumWidth(v->sizeHintForColumn(0) + v->verticalScrollBar()->sizeHint().width() +
                       2 * v->frameWidth());
    QComboBox::showPopup();
}
