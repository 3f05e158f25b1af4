#pragma once
#include <QCursor>
#include <QImage>
#include <QPoint>

// The pointer shown over the field's clickable areas: a small grey ball whose centre is the
// hot spot, so the player sees which point a click hits.
inline constexpr QPoint fieldCursorHotSpot{10, 9};

QImage drawFieldCursor();  // 32 × 32, greys only, transparent around the ball
QCursor makeFieldCursor();
