#pragma once
// A framed, filled panel that shows a state by its colour (and perhaps a short
// text): the input and output lamps and the perimeter mode panels.
#include <QColor>
#include <QLabel>
#include <QSize>

class Indicator : public QLabel {
    Q_OBJECT
public:
    // An empty `size` leaves the size to the layout.
    Indicator(const QString& name, QSize size, QWidget* parent = nullptr);
};

void setIndicatorColour(QLabel* panel, const QColor& colour);
QColor indicatorColour(const QLabel* panel);
