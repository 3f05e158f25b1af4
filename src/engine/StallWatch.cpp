#include "engine/StallWatch.h"

std::uint32_t StallWatch::quietFor(std::uint32_t now) const {
  // Signed: a frame stamped on the capture thread may be a tick ahead of `now`.
  const auto quiet = static_cast<std::int32_t>(now - m_lastFrame.load(std::memory_order_relaxed));
  return quiet > 0 ? static_cast<std::uint32_t>(quiet) : 0;
}

bool StallWatch::retryDue(std::uint32_t now) {
  if (quietFor(now) < silence) {
    m_stalled = false;
    return false;
  }
  if (m_stalled && now - m_lastRetry < retryEvery) return false;
  m_stalled = true;
  m_lastRetry = now;
  return true;
}
