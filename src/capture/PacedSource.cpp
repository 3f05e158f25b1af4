#include "capture/PacedSource.h"

#include <cassert>
#include <cstdio>

#include "capture/FrameImage.h"

PacedSource::PacedSource(std::unique_ptr<FramePainter> painter)
    : m_painter(std::move(painter)),
      m_frame(frameBytes(m_painter->format().width, m_painter->format().height)) {}

PacedSource::~PacedSource() { stop(); }

CaptureError PacedSource::start(FrameSink& sink) {
  if (m_thread.joinable()) return CaptureError::None;
  m_stopping = false;
  m_thread = std::thread([this, &sink] { run(sink); });
  return CaptureError::None;
}

void PacedSource::stop() {
  if (!m_thread.joinable()) return;
  {
    std::lock_guard lock(m_stopLock);
    m_stopping = true;
  }
  m_stopped.notify_all();
  // A sink that stopped its own source would wait for itself.
  assert(m_thread.get_id() != std::this_thread::get_id());
  if (m_thread.get_id() == std::this_thread::get_id()) {
    m_thread.detach();
    return;
  }
  m_thread.join();
}

// True when `when` came; false when stop() came first.
bool PacedSource::waitUntil(std::chrono::steady_clock::time_point when) {
  std::unique_lock lock(m_stopLock);
  return !m_stopped.wait_until(lock, when, [this] { return m_stopping; });
}

void PacedSource::run(FrameSink& sink) {
  using clock = std::chrono::steady_clock;
  const auto period = std::chrono::duration_cast<clock::duration>(
      std::chrono::duration<double>(1.0 / m_painter->framesPerSecond()));
  auto due = clock::now();
  while (waitUntil(due)) {
    if (!m_painter->paint(m_frame.data())) {
      std::fprintf(stderr, "swishcam: the frame source has no more pictures\n");
      return;
    }
    sink.onFrame(0.0, m_frame.data(), m_frame.size());
    due += period;
    if (const auto now = clock::now(); due < now) due = now;
  }
}
