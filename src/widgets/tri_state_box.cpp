#include "widgets/tri_state_box.h"

TriStateBox::TriStateBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setTristate(true);
}

void TriStateBox::nextCheckState() {
    switch (checkState()) {
    case Qt::Unchecked:
        setCheckState(Qt::PartiallyChecked);
        break;
    case Qt::PartiallyChecked:
        setCheckState(Qt::Checked);
        break;
    case Qt::Checked:
        setCheckState(Qt::Unchecked);
        break;
    }
}
