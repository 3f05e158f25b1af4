#include "capture/SteppedSource.h"

#include "capture/FrameImage.h"

SteppedSource::SteppedSource(std::unique_ptr<FramePainter> painter)
    : m_painter(std::move(painter)),
      m_frame(frameBytes(m_painter->format().width, m_painter->format().height)) {}

CaptureError SteppedSource::start(FrameSink& sink) {
  m_sink = &sink;
  return CaptureError::None;
}

bool SteppedSource::deliver() {
  if (m_sink == nullptr || !m_painter->paint(m_frame.data())) return false;
  m_sink->onFrame(0.0, m_frame.data(), m_frame.size());
  return true;
}
