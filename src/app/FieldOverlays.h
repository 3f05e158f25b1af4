#pragma once
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "engine/FrameTimes.h"
#include "engine/LightingCheck.h"

class QPainter;
class QRect;

// What the window draws over the field, never into the field image.

// "30.0 fps · step 1.8 ms (max 3.1 ms) · latency 14 ms · dropped 0" over `seconds` s; no
// latency when no frame arrived, since the last frame's age is no latency.
QString readoutText(const FrameTimes::Sums& sums, double seconds, double latencyMs);
QString hintText(LightingHint hint);
// The line shown while the camera is stalled.
QString stallText();
// The sensed motion as a heat map of width × height cells (rows top first), to be drawn
// stretched over the picture: clear where nothing moves, translucent blue below the strength
// that strikes the ball, orange to yellow above it. `image` is reused while its size fits.
void paintMotionHeat(const std::vector<std::uint8_t>& strength, int width, int height,
                     QImage& image);
// One line of text on a dark band across the top (or bottom) of `area`.
void drawBannerLine(QPainter& painter, const QRect& area, const QString& text, bool top);
