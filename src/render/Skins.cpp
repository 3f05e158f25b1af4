#include "render/Skins.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

std::uint8_t channel(double v) { return static_cast<std::uint8_t>(static_cast<int>(v)); }

// Three crossing diagonal waves mixed at nearly constant brightness (k is a real factor:
// the channel sum stays close to 256).
Rgb jalousie(double X, double Y) {
  const int c1 = static_cast<int>(64 * (std::cos(8 * X + 4 * Y) + 1.4));
  const int c2 = static_cast<int>(64 * (std::cos(6 * X - 6 * Y) + 1.4));
  const int c3 = static_cast<int>(64 * (std::cos(4 * X + 8 * Y) + 1.4));
  const double k = 256.0 / (c1 + c2 + c3);
  return {channel(k * c3), channel(k * c2), channel(k * c1)};
}

// Both factors use the width, so the cells are square in any field.
double gridWave(int at, int width) { return std::cos(16 * at * 6.28 / width); }

Rgb magicChess(double grid) { return grid > 0 ? Rgb{0, 100, 200} : Rgb{0, 80, 160}; }

Rgb greenField(double X, double Y) {
  const double p = 0.5 * std::sin(X * Y / 22) * std::cos(X);
  return {channel(128 * (0.5 + p * std::sin(Y)) + 40), channel(128 * (0.5 + p * std::sin(Y / 2)) + 40),
          0};
}

Rgb buttons(double s) {
  if (s > 0.25) return {0, 100, 100};
  if (s >= -0.25) return {100, 0, 100};
  return {100, 100, 0};
}

std::uint8_t ring(double d, int width) {
  int v = static_cast<int>(2040 * d / width) & 0xFF;
  if (v > 128) v /= 4;
  return static_cast<std::uint8_t>(v + 32);
}

Rgb bubbles(int x, int y, const SkinField& f) {
  const int h2 = f.height / 2;
  const double d1 = std::hypot(x, y - h2);
  const double d2 = std::hypot(x - f.width, y - h2);
  const int cx = (f.frameRect.left + f.frameRect.right) / 2;
  const int cy = f.height - (f.frameRect.top + f.frameRect.bottom) / 2;
  const double d3sq = double(x - cx) * (x - cx) + double(y - cy) * (y - cy);
  // A field without a camera picture would divide by zero; its glow is one pixel wide.
  const int frameWidth = std::max(f.frameRect.width(), 1);
  return {channel(255 * std::exp(-0.0025 * d3sq / frameWidth)), ring(d2, f.width),
          ring(d1, f.width)};
}

// The mapping is made for a generator of 0 … 32767; minstd reaches 2^31 − 2, so only the
// low 15 bits are used (keeps −15 ≤ n ≤ 16 and the product inside int).
Rgb noiseColour(std::minstd_rand& noise) {
  const int n = (static_cast<int>(noise() % 32768) - 16383) * 32 / 32767;
  return {channel(32 + 2 * n), channel(64 - 2 * n), channel(128 + 2 * n)};
}

}  // namespace

SkinPattern::SkinPattern(int skinIndex, const SkinField& field, std::minstd_rand& noise)
    : m_skinIndex(skinIndex), m_field(field), m_noise(noise) {
  if (skinIndex != 1 && skinIndex != 3) return;
  m_columnWave.resize(static_cast<std::size_t>(std::max(field.width, 0)));
  m_heightWave.resize(static_cast<std::size_t>(std::max(field.height, 0)));
  for (std::size_t x = 0; x < m_columnWave.size(); ++x)
    m_columnWave[x] = gridWave(static_cast<int>(x), field.width);
  for (std::size_t y = 0; y < m_heightWave.size(); ++y)
    m_heightWave[y] = gridWave(static_cast<int>(y), field.width);
}

namespace {

template <typename Colour>
void paintGridRow(const std::vector<double>& columnWave, double heightWave, Colour colourOf,
                  std::uint8_t* row) {
  for (const double wave : columnWave) {
    putPixel(row, colourOf(wave * heightWave));
    row += pixelBytes;
  }
}

}  // namespace

void SkinPattern::paintRow(int height, std::uint8_t* row) {
  switch (m_skinIndex) {
    case 1: return paintGridRow(m_columnWave, m_heightWave[height], magicChess, row);
    case 3: return paintGridRow(m_columnWave, m_heightWave[height], buttons, row);
    default:
      for (int x = 0; x < m_field.width; ++x, row += pixelBytes) putPixel(row, colourAt(x, height));
  }
}

Rgb SkinPattern::colourAt(int x, int height) {
  switch (m_skinIndex) {
    case 0: return jalousie(x * 6.28 / m_field.width, height * 6.28 / m_field.height);
    case 1: return magicChess(m_columnWave[x] * m_heightWave[height]);
    case 2: return greenField(x * 6.28 / m_field.width, height * 6.28 / m_field.height);
    case 3: return buttons(m_columnWave[x] * m_heightWave[height]);
    case 4: return bubbles(x, height, m_field);
    default: return noiseColour(m_noise);
  }
}
