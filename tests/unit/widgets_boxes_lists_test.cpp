// Three-state boxes and select-only lists of the widget layer.
#include "widgets/select_list.h"
#include "widgets/tri_state_box.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(TriStateBox, ClickCyclesUncheckedGreyedChecked) {
    TriStateBox box(QStringLiteral("Вх. 1"));
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    const Qt::CheckState cycle[] = {Qt::PartiallyChecked, Qt::Checked, Qt::Unchecked,
                                    Qt::PartiallyChecked};
    for (Qt::CheckState expected : cycle) {
        box.click();
        EXPECT_EQ(box.checkState(), expected);
    }
}

TEST(TriStateBox, SettingTheStateIsNotAClick) {
    TriStateBox box;
    QSignalSpy clicks(&box, &QCheckBox::clicked);
    box.setCheckState(Qt::PartiallyChecked);
    box.setCheckState(Qt::Checked);
    EXPECT_EQ(clicks.count(), 0);
    box.click();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
}

TEST(SelectList, ValueWithoutItemLeavesNoSelection) {
    SelectList list(QStringList{"a", "b", "c"});
    EXPECT_EQ(list.currentIndex(), 0) << "a filled list starts on its first item";
    list.selectIndex(2);
    EXPECT_EQ(list.currentIndex(), 2);
    for (int missing : {3, 15, -1, -7}) {
        list.selectIndex(missing);
        EXPECT_EQ(list.currentIndex(), -1) << missing;
        EXPECT_EQ(list.currentText(), QString());
    }
    list.selectIndex(1);
    EXPECT_EQ(list.currentText(), QStringLiteral("b"));
}

TEST(SelectList, RefillReplacesItemsAndSelectsTheFirst) {
    SelectList list(QStringList{"x", "y"});
    list.selectIndex(1);
    list.setItems(QStringList{"1", "2", "3"});
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.currentIndex(), 0);
    list.setItems({});
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_FALSE(list.isEditable());
}

TEST(SelectList, ProgrammaticSelectionIsNotAUserChoice) {
    SelectList list(QStringList{"x", "y"});
    QSignalSpy chosen(&list, &QComboBox::activated);
    list.selectIndex(1);
    list.selectIndex(5);
    EXPECT_EQ(chosen.count(), 0);
}

} // namespace
