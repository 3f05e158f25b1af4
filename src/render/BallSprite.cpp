#include "render/BallSprite.h"

#include <algorithm>
#include <cassert>
#include <cmath>


namespace {

struct Bgr {
  double blue, green, red;
};

// The four panels at shading step k (0 at the centre, 102 on the rim).
Bgr panelA(int k) { return {255.0 - k, 128.0 - k, 128.0 - k}; }
Bgr panelB(int k) { return {128.0 - k, 128.0 - k, 255.0 - k}; }
Bgr panelC(int k) { return {153.0 - k, 203.0 - k, 153.0 - k}; }
Bgr panelD(int k) { return {0.0, 255.0 - k, 255.0 - k}; }

// trunc(P × (1 − t) + Q × t), written as P + (Q − P) × t so that a channel the two panels
// share keeps its value exactly (the first form can land a hair below it and truncate to
// one less, which made a full turn of the ball repaint differently).
double mixChannel(double p, double q, double t) { return std::trunc(p + (q - p) * t); }

Bgr blend(const Bgr& p, const Bgr& q, double t) {
  return {mixChannel(p.blue, q.blue, t), mixChannel(p.green, q.green, t),
          mixChannel(p.red, q.red, t)};
}

double root(double v) { return std::sqrt(std::max(0.0, v)); }

// Distance of the pixel centre from a seam, approximated by the seam's chord over one
// pixel, capped at 1: `along` is the coordinate the seam is a function of.
double seamWeight(double along, double across, double r2, double r) {
  const double minus = std::sqrt(std::abs(r2 - (along - 0.5) * (along - 0.5)) / r);
  const double plus = std::sqrt(std::abs(r2 - (along + 0.5) * (along + 0.5)) / r);
  const double s = minus - plus;
  return std::min(1.0, std::abs(across - plus - s / 2) / std::sqrt(1 + s * s));
}

// The painted disc at turned offsets (U, V): two elliptic seams split it into panels, each
// seam anti-aliased over one pixel on its positive side.
Bgr paint(double U, double V, int k, double r2, double r) {
  const double E = root((r2 - U * U) / r) - V;
  const double F = root((r2 - V * V) / r) - U;
  if (F > 1) {
    if (E > 1) return panelA(k);
    if (E <= 0) return panelB(k);
    return blend(panelB(k), panelA(k), seamWeight(U, V, r2, r));
  }
  if (F <= 0) {
    if (E > 1) return panelC(k);
    if (E <= 0) return panelD(k);
    return blend(panelD(k), panelC(k), seamWeight(U, V, r2, r));
  }
  const double tF = seamWeight(V, U, r2, r);
  return E > 0 ? blend(panelC(k), panelA(k), tF) : blend(panelD(k), panelB(k), tF);
}

}  // namespace

// Paints the ball box over its background and under the court's front layer. Both passes
// of the drawing touch one pixel each, so they are done in one visit per pixel.
void renderBall(BallSprite& sprite, double angle) {
  const int r = sprite.radius;
  const int r2 = r * r;
  const std::size_t boxBytes = static_cast<std::size_t>(4 * r2) * pixelBytes;
  assert(sprite.image.size() == boxBytes);
  if (sprite.image.size() != boxBytes) return;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  for (int i = 0; i < 2 * r; ++i) {
    for (int j = 0; j < 2 * r; ++j) {
      const std::size_t at = static_cast<std::size_t>(i) * 2 * r + j;
      std::uint8_t* out = &sprite.image[at * pixelBytes];
      const std::uint8_t* under = &sprite.background[at * pixelBytes];
      out[3] = 255;
      // The panels are drawn with Y upward from the centre, row i counted from the top.
      const int X = j - r;
      const int Y = r - 1 - i;
      const int d2 = X * X + Y * Y;
      if (d2 > r2) {
        std::copy_n(under, 3, out);
        continue;
      }
      const double d = std::sqrt(static_cast<double>(d2));
      const int k = static_cast<int>(102 * d / r);
      const Bgr p = paint(X * c + Y * s, Y * c - X * s, k, r2, r);
      const double painted[3] = {p.blue, p.green, p.red};
      const std::uint8_t g = sprite.overlayAlpha[at];
      if (g != 0) {
        // The front layer covers the ball by its coverage; the rim stays hard.
        const double a = g / 255.0;
        const std::uint8_t* front = &sprite.overlayColor[at * pixelBytes];
        for (int ch = 0; ch < 3; ++ch)
          out[ch] = static_cast<std::uint8_t>(mixChannel(painted[ch], front[ch], a));
        continue;
      }
      // The outer 1.5 px of the disc fade into the background.
      const double w = (r - d) * 2 / 3;
      for (int ch = 0; ch < 3; ++ch) {
        out[ch] = static_cast<std::uint8_t>(w < 1 ? mixChannel(under[ch], painted[ch], w)
                                                  : painted[ch]);
      }
    }
  }
}
