#pragma once
// A check box with three states. A click moves it from unchecked to greyed
// (Qt::PartiallyChecked), from greyed to checked and from checked to unchecked.
#include <QCheckBox>

class TriStateBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TriStateBox(const QString& text = {}, QWidget* parent = nullptr);
    explicit TriStateBox(QWidget* parent) : TriStateBox(QString(), parent) {}

protected:
    void nextCheckState() override;
};
