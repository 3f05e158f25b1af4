#include "app/FieldOverlays.h"

#include <QPainter>
#include <QRect>
#include <algorithm>

namespace {

constexpr int strikesAbove = 12;  // the contact threshold of the ball step

}  // namespace

QString readoutText(const FrameTimes::Sums& sums, double seconds, double latencyMs) {
  const double fps = seconds > 0.0 ? sums.frames / seconds : 0.0;
  const QString latency =
      sums.frames > 0 ? QStringLiteral(" · latency %1 ms").arg(latencyMs, 0, 'f', 0) : QString();
  return QStringLiteral("%1 fps · step %2 ms (max %3 ms)%4 · dropped %5")
      .arg(fps, 0, 'f', 1)
      .arg(sums.meanStepMs, 0, 'f', 1)
      .arg(sums.longestStepMs, 0, 'f', 1)
      .arg(latency)
      .arg(sums.dropped);
}

QString stallText() {
  return QStringLiteral("The camera sends no picture: trying to restart it");
}

QString hintText(LightingHint hint) {
  switch (hint) {
    case LightingHint::Dark: return QStringLiteral("The picture is too dark: turn on more light");
    case LightingHint::Noisy:
      return QStringLiteral("The picture is noisy and moves by itself: add light");
    case LightingHint::None: break;
  }
  return {};
}

void paintMotionHeat(const std::vector<std::uint8_t>& strength, int width, int height,
                     QImage& image) {
  if (image.size() != QSize(width, height))
    image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
  if (strength.size() != static_cast<std::size_t>(width) * height) {
    image.fill(Qt::transparent);
    return;
  }
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = strength.data() + static_cast<std::size_t>(y) * width;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const int v = in[x];
      if (v > strikesAbove) {
        const int green = std::min(255, 96 + 4 * (v - strikesAbove));
        out[x] = qRgba(190, green * 190 / 255, 0, 190);  // premultiplied by 190/255
      } else {
        // Sensor noise (0 or 1) stays clear; up to the threshold a deepening blue.
        const int alpha = v < 2 ? 0 : std::min(150, 12 * v);
        out[x] = qRgba(0, alpha / 3, alpha, alpha);
      }
    }
  }
}

void drawBannerLine(QPainter& painter, const QRect& area, const QString& text, bool top) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(12, area.height() / 36));
  painter.setFont(font);
  const int band = painter.fontMetrics().height() + 8;
  const QRect line = top ? QRect(area.left(), area.top() + area.height() / 9, area.width(), band)
                         : QRect(area.left(), area.bottom() - band + 1, area.width(), band);
  painter.fillRect(line, QColor(0, 0, 0, 160));
  painter.setPen(Qt::white);
  painter.drawText(line, Qt::AlignCenter, text);
}
