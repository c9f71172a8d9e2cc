#pragma once
// A drop-down list the user can only choose from. It may also show no
// selection: selecting a value that has no item leaves it empty, and the empty
// list reports index -1.
#include <QComboBox>

class SelectList : public QComboBox {
    Q_OBJECT
public:
    explicit SelectList(QWidget* parent = nullptr);
    explicit SelectList(const QStringList& items, QWidget* parent = nullptr);

    // Replaces the items; the first item becomes selected.
    void setItems(const QStringList& items);
    // Selects item `index`, or nothing when the list has no such item.
    void selectIndex(int index);

    // The drop-down is wide enough for the longest item.
    void showPopup() override;
};
