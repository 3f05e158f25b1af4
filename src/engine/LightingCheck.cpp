#include "engine/LightingCheck.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t holdMs = 2000;  // a condition must last this long
constexpr double darkBelow = 40.0;      // mean brightness of a picture too dark to play in
constexpr int noisyFrom = 6;            // half the strength that strikes the ball
constexpr int gridStep = 16;            // px between sampled pixels
constexpr int columns = 16;             // motion probes across the picture
constexpr int rows = 12;                // and down it
constexpr int box = 7;                  // the game's smoothing box

// Notes when a condition began; a condition that lapses starts again from its next frame.
void track(bool condition, bool& running, std::uint32_t& since, std::uint32_t now) {
  if (condition && !running) since = now;
  running = condition;
}

}  // namespace

double meanBrightness(const FramePair& frames) {
  double sum = 0.0;
  int count = 0;
  for (int y = gridStep / 2; y < frames.height; y += gridStep) {
    for (int x = gridStep / 2; x < frames.width; x += gridStep) {
      const std::uint8_t* p =
          frames.current + (static_cast<std::size_t>(y) * frames.width + x) * pixelBytes;
      sum += 0.114 * p[0] + 0.587 * p[1] + 0.299 * p[2];
      ++count;
    }
  }
  return count > 0 ? sum / count : 0.0;
}

int medianMotion(const FramePair& frames) {
  if (frames.width < 2 * box || frames.height < 2 * box) return 0;
  std::array<int, columns * rows> strengths{};
  for (int j = 0; j < rows; ++j) {
    const int y = box + (frames.height - 2 * box) * j / (rows - 1);
    for (int i = 0; i < columns; ++i) {
      const int x = box + (frames.width - 2 * box) * i / (columns - 1);
      strengths[static_cast<std::size_t>(j * columns + i)] = motionStrengthAt(frames, x, y);
    }
  }
  auto middle = strengths.begin() + strengths.size() / 2;
  std::nth_element(strengths.begin(), middle, strengths.end());
  return *middle;
}

void LightingCheck::restart() {
  m_ready.store(LightingHint::None);
  m_given = m_darkRunning = m_noisyRunning = false;
}

void LightingCheck::check(const FramePair& frames, std::uint32_t now) {
  if (m_given || frames.current == nullptr || frames.previous == nullptr) return;
  const bool dark = meanBrightness(frames) < darkBelow;
  const bool noisy = medianMotion(frames) >= noisyFrom;
  track(dark, m_darkRunning, m_darkSince, now);
  track(noisy, m_noisyRunning, m_noisySince, now);
  LightingHint hint = LightingHint::None;
  if (m_darkRunning && now - m_darkSince >= holdMs) hint = LightingHint::Dark;
  else if (m_noisyRunning && now - m_noisySince >= holdMs) hint = LightingHint::Noisy;
  if (hint == LightingHint::None) return;
  m_given = true;
  m_ready.store(hint);
}
