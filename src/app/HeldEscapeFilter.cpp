#include "app/HeldEscapeFilter.h"

#include <QKeyEvent>

bool HeldEscapeFilter::eventFilter(QObject* watched, QEvent* event) {
  const bool press = event->type() == QEvent::KeyPress;
  if (!press && event->type() != QEvent::KeyRelease)
    return QObject::eventFilter(watched, event);
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->key() != Qt::Key_Escape) return false;
  if (!press) {
    m_releasedAt = key->timestamp();
    return false;
  }
  // Events made without a time (0) cannot be told apart by it.
  return key->isAutoRepeat() || (key->timestamp() != 0 && key->timestamp() == m_releasedAt);
}
