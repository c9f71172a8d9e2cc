#include "monitor/indicator.h"

Indicator::Indicator(const QString& name, QSize size, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    if (size.isValid())
        setFixedSize(size);
}

void setIndicatorColour(QLabel* panel, const QColor& colour) {
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, colour);
    panel->setPalette(pal);
}

QColor indicatorColour(const QLabel* panel) {
    return panel->palette().color(QPalette::Window);
}
