#include "platform/qt/QtFont.h"

#include <QFontMetricsF>
#include <algorithm>

// A GDI-style font request as a QFont. GDI's cell height is ascent + descent and its
// average width is the face's average character width; Qt sizes fonts by the em. So the
// face is measured at a 100 px em: pixel size = cell height × 100 / (ascent + descent),
// then the horizontal stretch (percent) = requested average width / measured average
// width at that size. For Liberation Sans (ascent + descent 1.117 em, average width
// 0.59 em), the names' 34 / 17 give a 30 px em at a stretch of 96 %.
QFont makeFont(const TextFont& request) {
  QFont font(request.face == "Arial" ? QStringLiteral("Liberation Sans")
                                     : QString::fromStdString(request.face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(request.weight, 1, 1000)));
  font.setPixelSize(100);
  const QFontMetricsF probe(font);
  const int pixelSize = std::max(1, qRound(request.height * 100.0 / probe.height()));
  font.setPixelSize(pixelSize);
  if (request.averageWidth > 0) {
    const double average = QFontMetricsF(font).averageCharWidth();
    if (average > 0)
      font.setStretch(std::clamp(qRound(100.0 * request.averageWidth / average), 1, 4000));
  }
  return font;
}
