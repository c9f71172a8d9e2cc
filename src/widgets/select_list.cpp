#include "widgets/select_list.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <algorithm>

namespace {
constexpr int kMinChars = 4;
constexpr int kMaxChars = 22;
} // namespace

SelectList::SelectList(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    // Long items must not widen the page: the list is as wide as the layout
    // gives it, and the drop-down shows the full texts.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(kMinChars);
}

SelectList::SelectList(const QStringList& items, QWidget* parent) : SelectList(parent) {
    setItems(items);
}

void SelectList::setItems(const QStringList& items) {
    clear();
    addItems(items);
    // Short items are shown whole; long ones take the width the layout gives.
    qsizetype longest = 0;
    for (const QString& item : items)
        longest = std::max(longest, item.size());
    setMinimumContentsLength(int(std::clamp<qsizetype>(longest, kMinChars, kMaxChars)));
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
