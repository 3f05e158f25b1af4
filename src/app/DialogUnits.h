#pragma once
#include <QFont>
#include <QFontMetrics>
#include <QSize>

// The font a window's dialog units are counted in: the Windows dialog font "MS Sans Serif"
// 8 point, whose 6 × 13 pixel character cell DejaVu Sans 8 point matches.
QFont dialogFont();

// `units` dialog units in pixels: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height; the pixels are truncated.
QSize dialogUnitsToPixels(QSize units, const QFontMetrics& metrics);
