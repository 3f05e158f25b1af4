#pragma once
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `action` on the next modal window once it is up: a queued single-shot that looks for
// QApplication::activeModalWidget() and, while there is none yet, queues itself again (a
// bounded number of times, so a window that never comes ends the wait with a null widget).
inline void whenModal(std::function<void(QWidget*)> action, int attempts = 1000) {
  QTimer::singleShot(0, [action = std::move(action), attempts]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && attempts > 0) {
      whenModal(std::move(action), attempts - 1);
      return;
    }
    action(modal);
  });
}
