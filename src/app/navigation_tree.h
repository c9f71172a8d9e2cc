#pragma once
// The navigation tree: 56 nodes built from tab-indented text. A node's
// PageIndex is its absolute position in depth-first order (its line number).
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace navigation {

constexpr int kPageCount = 56;

// The tree text: one line per node, leading tabs give the depth, CR LF ends a line.
QString treeText();

// Fills `tree` from `text` and captions node 0 "GSM контроллер RZN460".
void buildTree(QTreeWidget* tree, const QString& text);

// Absolute index of `item` in depth-first order, -1 for none.
int pageIndexOf(const QTreeWidgetItem* item);
// The node with absolute index `pageIndex`, or nullptr.
QTreeWidgetItem* itemAt(QTreeWidget* tree, int pageIndex);

} // namespace navigation
