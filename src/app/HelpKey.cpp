#include "app/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>

HelpKey::HelpKey(QWidget* owner) : m_owner(owner) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
  // A key the focused widget ignores travels up to its window; taking it there shows the
  // help once per press.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->isWindow()) showHelp();
  }
  return false;
}

void HelpKey::showHelp() {
  if (!m_help) m_help = new HelpWindow(m_owner);
  m_help->show();
  // A modal dialog blocks every window but those transient for it; the help window follows
  // the modal that is open, except one opened from the help itself (the About box).
  const QWidget* modal = QApplication::activeModalWidget();
  QWindow* over = (modal != nullptr ? modal : m_owner)->windowHandle();
  QWindow* help = m_help->windowHandle();
  if (over != nullptr && !help->isAncestorOf(over, QWindow::IncludeTransients))
    help->setTransientParent(over);
  m_help->raise();
  m_help->activateWindow();
}
