#include "app/FieldView.h"

#include <cmath>

FieldView::FieldView(QSize field, QSize window, bool scaled)
    : m_field(field), m_target(QPoint(0, 0), field), m_scaled(scaled) {
  if (!scaled || field.isEmpty() || window.isEmpty()) {
    m_scaled = false;
    return;
  }
  const QSize fitted = field.scaled(window, Qt::KeepAspectRatio);
  m_target = QRect(QPoint((window.width() - fitted.width()) / 2,
                          (window.height() - fitted.height()) / 2),
                   fitted);
}

QPoint FieldView::toField(QPointF window) const {
  if (!m_scaled) return window.toPoint();
  const double x = (window.x() - m_target.x()) * m_field.width() / m_target.width();
  const double y = (window.y() - m_target.y()) * m_field.height() / m_target.height();
  return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

QRect FieldView::toWindow(const QRect& field) const {
  if (!m_scaled) return field;
  const double sx = static_cast<double>(m_target.width()) / m_field.width();
  const double sy = static_cast<double>(m_target.height()) / m_field.height();
  const int left = static_cast<int>(std::floor(m_target.x() + field.left() * sx));
  const int top = static_cast<int>(std::floor(m_target.y() + field.top() * sy));
  const int right = static_cast<int>(std::ceil(m_target.x() + (field.right() + 1) * sx));
  const int bottom = static_cast<int>(std::ceil(m_target.y() + (field.bottom() + 1) * sy));
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(m_target);
}
