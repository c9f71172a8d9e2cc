#pragma once
// Small helpers that create page controls under their names and lay them out,
// so that the page constructors read as a list of controls.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QString>

namespace form {

// Creates a T with `args`, names it `name` and returns it.
template <typename T, typename... Args> T* make(const char* name, Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// A caption; `wrap` lets a long caption take several lines.
QLabel* label(const char* name, const QString& text, bool wrap = false);
// A framed group whose caption is drawn with the blanks it is given.
QGroupBox* group(const char* name, const QString& title);
// Adds "caption  control" as the next row of `grid`; the caption takes the
// spare width, the control keeps `controlWidth` when it is positive.
void addRow(QGridLayout* grid, QWidget* caption, QWidget* control, int controlWidth = 0);
// Width in pixels of `chars` average characters of `w`'s font, plus frame room.
int textWidth(const QWidget* w, int chars);

} // namespace form
