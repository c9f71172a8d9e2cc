#pragma once
// Drives modal dialogs from tests: the callback runs on the next modal widget
// that appears while the code under test waits in its exec().
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

inline void onNextModal(std::function<void(QWidget*)> handle, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, handle, elapsed, timeoutMs] {
        *elapsed += 10;
        if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            handle(w);
        } else if (*elapsed > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}
