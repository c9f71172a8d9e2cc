#include "app/navigation_tree.h"

#include <QStringList>
#include <QTreeWidget>

namespace navigation {
namespace {

constexpr int kIndexRole = Qt::UserRole + 1;

void appendNumbered(QStringList& lines, const QString& tabs, const QString& word, int count) {
    for (int n = 1; n <= count; ++n)
        lines << tabs + word + QString::number(n);
}

} // namespace

QString treeText() {
    QStringList lines;
    lines << "GSM контроллер RZN460-KL+T407";
    lines << "\tОбщие параметры соединений";
    appendNumbered(lines, "\t\t", "Соединение ", 8);
    lines << "\tОбщие параметры GPRS";
    appendNumbered(lines, "\t\t", "Сервер ", 3);
    lines << "\tЧасы, планировщик задач";
    lines << "\tПитание, температура, индикация, контроль вскрытия";
    appendNumbered(lines, "\t", "Периметр ", 4);
    lines << "\tВходы";
    appendNumbered(lines, "\t\t", "Вход ", 16);
    lines << "\tВыходы";
    lines << "\t\tРеле 1"
          << "\t\tРеле 2";
    appendNumbered(lines, "\t\t", "Выход ", 5);
    lines << "\t\tСценарии управления";
    lines << "\tПрофили";
    appendNumbered(lines, "\t\t", "Профиль ", 8);
    lines << "\tСистемные параметры";
    return lines.join("\r\n") + "\r\n";
}

void buildTree(QTreeWidget* tree, const QString& text) {
    tree->clear();
    // parents[d] is the latest node of depth d; a line of depth d hangs under parents[d-1].
    QList<QTreeWidgetItem*> parents;
    int index = 0;
    for (const QString& raw : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        int depth = 0;
        while (depth < raw.size() && raw.at(depth) == QLatin1Char('\t'))
            ++depth;
        depth = std::min<int>(depth, static_cast<int>(parents.size()));
        QTreeWidgetItem* item =
            depth == 0 ? new QTreeWidgetItem(tree) : new QTreeWidgetItem(parents.at(depth - 1));
        item->setText(0, raw.mid(depth));
        item->setData(0, kIndexRole, index++);
        parents.resize(depth);
        parents.append(item);
    }
    if (QTreeWidgetItem* root = tree->topLevelItem(0))
        root->setText(0, QStringLiteral("GSM контроллер ") + QStringLiteral("RZN460"));
}

int pageIndexOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kIndexRole).toInt() : -1;
}

QTreeWidgetItem* itemAt(QTreeWidget* tree, int pageIndex) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if (pageIndexOf(*it) == pageIndex)
            return *it;
    return nullptr;
}

} // namespace navigation
