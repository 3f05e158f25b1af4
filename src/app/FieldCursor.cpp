#include "app/FieldCursor.h"

#include <QPainter>
#include <QPixmap>

QImage drawFieldCursor() {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(fieldCursorHotSpot.x() + 0.5, fieldCursorHotSpot.y() + 0.5);

  painter.setPen(QPen(QColor(40, 40, 40), 1.5));
  painter.setBrush(QColor(190, 190, 190));
  painter.drawEllipse(centre, 8.5, 8.5);
  // Seams: one across, one down, and two curved ones as on a basketball.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(70, 70, 70), 1.0));
  painter.drawLine(centre + QPointF(-8, 0), centre + QPointF(8, 0));
  painter.drawLine(centre + QPointF(0, -8), centre + QPointF(0, 8));
  painter.drawArc(QRectF(centre.x() - 13, centre.y() - 6, 10, 12), -60 * 16, 120 * 16);
  painter.drawArc(QRectF(centre.x() + 3, centre.y() - 6, 10, 12), 120 * 16, 120 * 16);
  // The hot spot itself, light on dark so it shows on any picture.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(20, 20, 20));
  painter.drawEllipse(centre, 2.0, 2.0);
  painter.setBrush(QColor(245, 245, 245));
  painter.drawEllipse(centre, 0.9, 0.9);
  return image;
}

QCursor makeFieldCursor() {
  return QCursor(QPixmap::fromImage(drawFieldCursor()), fieldCursorHotSpot.x(),
                 fieldCursorHotSpot.y());
}
