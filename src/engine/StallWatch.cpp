#include "engine/StallWatch.h"

bool StallWatch::retryDue(std::uint32_t now) {
  // Signed: a frame stamped on the capture thread may be a tick ahead of `now`.
  const auto quiet = static_cast<std::int32_t>(now - m_lastFrame.load(std::memory_order_relaxed));
  if (quiet < static_cast<std::int32_t>(silence)) {
    m_stalled = false;
    return false;
  }
  if (m_stalled && now - m_lastRetry < retryEvery) return false;
  m_stalled = true;
  m_lastRetry = now;
  return true;
}
