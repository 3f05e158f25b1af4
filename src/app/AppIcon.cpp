#include "app/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QImage drawAppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);  // drawn on a 64-unit grid

  // Net below the ring, behind the ball.
  painter.setPen(QPen(QColor(190, 195, 205), 2.0));
  for (int i = 0; i <= 4; ++i) {
    painter.drawLine(QPointF(10 + i * 11, 46), QPointF(20 + i * 6, 62));
    painter.drawLine(QPointF(54 - i * 11, 46), QPointF(44 - i * 6, 62));
  }

  // Ball.
  const QRectF ball(14, 4, 36, 36);
  QRadialGradient shade(QPointF(26, 14), 30);
  shade.setColorAt(0, QColor(255, 170, 70));
  shade.setColorAt(1, QColor(205, 85, 10));
  painter.setPen(QPen(QColor(60, 25, 5), 1.6));
  painter.setBrush(shade);
  painter.drawEllipse(ball);
  painter.setBrush(Qt::NoBrush);
  QPainterPath inside;
  inside.addEllipse(ball);
  painter.setClipPath(inside);
  painter.drawLine(QPointF(14, 22), QPointF(50, 22));
  painter.drawLine(QPointF(32, 4), QPointF(32, 40));
  painter.drawArc(QRectF(2, 8, 20, 28), -70 * 16, 140 * 16);
  painter.drawArc(QRectF(42, 8, 20, 28), 110 * 16, 140 * 16);
  painter.setClipping(false);

  // Ring in perspective, in front of the ball's lower half.
  painter.setPen(QPen(QColor(200, 30, 20), 4.0));
  painter.drawArc(QRectF(8, 40, 48, 12), 180 * 16, 180 * 16);
  painter.setPen(QPen(QColor(150, 20, 15), 3.0));
  painter.drawArc(QRectF(8, 40, 48, 12), 0, 180 * 16);
  return image;
}

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(drawAppIcon(size)));
  return icon;
}
