#include "render/qt/CellFont.h"

#include <QFontMetricsF>
#include <algorithm>

QFont cellFont(int height, int averageWidth, int weight, const std::string& face) {
  QFont font(face == "Arial" ? QStringLiteral("Liberation Sans") : QString::fromStdString(face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
  // Qt sizes a font by its em; scale the em so that ascent plus descent fills the cell.
  font.setPixelSize(std::max(height, 1));
  const double cell = QFontMetricsF(font).height();
  if (cell > 0) font.setPixelSize(std::max(1, qRound(height * height / cell)));
  if (averageWidth > 0) {
    const double natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0) font.setStretch(std::clamp(qRound(100.0 * averageWidth / natural), 1, 4000));
  }
  return font;
}
