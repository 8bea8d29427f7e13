#pragma once

// Drives modal windows from a test: the action runs as soon as a modal
// window other than `current` is up (a dialog's nested loop is running),
// so a test can fill it in and close it. Polls the event loop; the wait
// ends with the modal window, never on a clock.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace qx::test {

inline void OnNextModal(std::function<void(QWidget*)> action, QWidget* current = nullptr)
{
    auto* timer = new QTimer(QApplication::instance());
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action), current] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == current || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

} // namespace qx::test
