#include "render/BallSprite.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "model/WideVectors.h"

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
// seam anti-aliased over one pixel on its positive side. E and F say on which side of each
// seam the pixel lies.
Bgr paint(const TurnedRow& row, int j, int k, double r2, double r) {
  const double U = row.u[j], V = row.v[j], E = row.e[j], F = row.f[j];
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

// The turned offsets of one box row and where they lie against the seams, in loops without
// branches that the compiler runs on several pixels at once.
WIDE_VECTORS void turnRow(TurnedRow& row, int Y, int r, double c, double s) {
  const double r2 = static_cast<double>(r) * r;
  const int side = 2 * r;
  for (int j = 0; j < side; ++j) {
    const double X = j - r;
    row.u[j] = X * c + Y * s;
    row.v[j] = Y * c - X * s;
  }
  for (int j = 0; j < side; ++j) {
    row.e[j] = root((r2 - row.u[j] * row.u[j]) / r) - row.v[j];
    row.f[j] = root((r2 - row.v[j] * row.v[j]) / r) - row.u[j];
  }
}

}  // namespace

void BallSprite::resize(int ballRadius) {
  radius = ballRadius;
  const int side = 2 * radius;
  const std::size_t box = static_cast<std::size_t>(side) * side;
  image.assign(box * pixelBytes, 0);
  background.assign(box * pixelBytes, 0);
  overlayColor.assign(box * pixelBytes, 0);
  overlayAlpha.assign(box, 0);
  shade.assign(box, outsideDisc);
  rimWeight.assign(box, 0.0);
  for (auto* values : {&turned.u, &turned.v, &turned.e, &turned.f}) values->assign(side, 0.0);
  for (int i = 0; i < side; ++i) {
    for (int j = 0; j < side; ++j) {
      // The panels are drawn with Y upward from the centre, row i counted from the top.
      const int X = j - radius;
      const int Y = radius - 1 - i;
      const int d2 = X * X + Y * Y;
      if (d2 > radius * radius) continue;
      const double d = std::sqrt(static_cast<double>(d2));
      const std::size_t at = static_cast<std::size_t>(i) * side + j;
      shade[at] = static_cast<std::uint8_t>(102 * d / radius);
      // The outer 1.5 px of the disc fade into the background.
      rimWeight[at] = (radius - d) * 2 / 3;
    }
  }
}

// Paints the ball box over its background and under the court's front layer. Both passes
// of the drawing touch one pixel each, so they are done in one visit per pixel.
void renderBall(BallSprite& sprite, double angle) {
  const int r = sprite.radius;
  const int r2 = r * r;
  const std::size_t boxPixels = static_cast<std::size_t>(4 * r2);
  assert(sprite.image.size() == boxPixels * pixelBytes && sprite.shade.size() == boxPixels);
  if (sprite.image.size() != boxPixels * pixelBytes || sprite.shade.size() != boxPixels) return;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  TurnedRow& row = sprite.turned;
  for (int i = 0; i < 2 * r; ++i) {
    turnRow(row, r - 1 - i, r, c, s);
    for (int j = 0; j < 2 * r; ++j) {
      const std::size_t at = static_cast<std::size_t>(i) * 2 * r + j;
      std::uint8_t* out = &sprite.image[at * pixelBytes];
      const std::uint8_t* under = &sprite.background[at * pixelBytes];
      out[3] = 255;
      const int k = sprite.shade[at];
      if (k == BallSprite::outsideDisc) {
        std::copy_n(under, 3, out);
        continue;
      }
      const Bgr p = paint(row, j, k, r2, r);
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
      const double w = sprite.rimWeight[at];
      for (int ch = 0; ch < 3; ++ch) {
        out[ch] = static_cast<std::uint8_t>(w < 1 ? mixChannel(under[ch], painted[ch], w)
                                                  : painted[ch]);
      }
    }
  }
}
