#pragma once
#include <atomic>
#include <cstdint>

#include "physics/MotionSense.h"

enum class LightingHint : std::uint8_t { None, Dark, Noisy };

// Watches the camera picture for what spoils play: a picture too dark to see a hand in, or
// a still scene whose noise alone reads as motion. A condition must hold for two seconds of
// frames; each camera start gives at most one hint.
class LightingCheck {
 public:
  void restart();
  // Once per frame, on the capture thread; `now` in ms of the tick clock. Reads a sparse grid
  // of the frames, so it costs little beside the frame step.
  void check(const FramePair& frames, std::uint32_t now);
  // The hint not yet shown, or None; the window thread takes it.
  LightingHint take() { return m_ready.exchange(LightingHint::None); }

 private:
  std::atomic<LightingHint> m_ready{LightingHint::None};
  bool m_given = false;           // this camera start has had its hint
  bool m_darkRunning = false;
  bool m_noisyRunning = false;
  std::uint32_t m_darkSince = 0;  // ms
  std::uint32_t m_noisySince = 0; // ms
};

// Mean brightness (0–255) of the picture, from every 16th pixel of every 16th row.
double meanBrightness(const FramePair& frames);
// The median, over a grid of points, of the motion strength the game senses there.
int medianMotion(const FramePair& frames);
