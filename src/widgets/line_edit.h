#pragma once
// A one-line text edit that reports when the input focus leaves it for another
// control of the window, the moment at which the pages check an edited value.
#include <QLineEdit>

class LineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit LineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    // The focus moved to another control; not emitted when the whole window
    // loses the focus or a popup opens.
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
