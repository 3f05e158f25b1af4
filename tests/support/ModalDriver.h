#pragma once
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs `action` on the next modal window once it is up; while there is none yet, a bounded
// number of times, so that a window that never comes ends the wait with a null widget.
inline void whenModal(std::function<void(QWidget*)> action, int attempts = 1000) {
  QTimer::singleShot(0, [action = std::move(action), attempts]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && attempts > 0) return whenModal(std::move(action), attempts - 1);
    action(modal);
  });
}

// The same for a modal of type Dialog; any other is closed and fails the test, so that the
// test never hangs in exec().
template <typename Dialog>
void whenModalOf(std::function<void(Dialog&)> act) {
  whenModal([act = std::move(act)](QWidget* modal) {
    if (auto* dialog = dynamic_cast<Dialog*>(modal)) return act(*dialog);
    if (modal != nullptr) modal->close();
    QFAIL("the expected modal dialog is not open");
  });
}

inline QComboBox& listOf(QWidget& dialog, const QString& name) { return *dialog.findChild<QComboBox*>(name); }

inline QStringList entriesOf(const QComboBox& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
  return texts;
}
