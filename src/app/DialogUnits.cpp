#include "app/DialogUnits.h"

QFont dialogFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

QSize dialogUnitsToPixels(QSize units, const QFontMetrics& metrics) {
  return {units.width() * metrics.averageCharWidth() / 4, units.height() * metrics.height() / 8};
}
