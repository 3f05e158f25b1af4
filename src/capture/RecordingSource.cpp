#include "capture/RecordingSource.h"

#include <cstdio>

#include "capture/FrameImage.h"

RecordingSource::RecordingSource(std::unique_ptr<FrameSource> inner,
                                 std::shared_ptr<Y4mWriter> writer)
    : m_inner(std::move(inner)), m_writer(std::move(writer)) {
  const FrameFormat size = m_inner->format();
  m_frameLength = frameBytes(size.width, size.height);
}

CaptureError RecordingSource::start(FrameSink& sink) {
  m_sink = &sink;
  return m_inner->start(*this);
}

// Frames of another length than the negotiated one cannot be written as this file's frames;
// the engine drops them too.
void RecordingSource::onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) {
  if (pixels != nullptr && size == m_frameLength) m_writer->write(pixels);
  m_sink->onFrame(sampleTime, pixels, size);
}

std::unique_ptr<FrameSource> RecordingProvider::open(std::size_t index, CaptureError& error) {
  std::unique_ptr<FrameSource> source = m_inner.open(index, error);
  if (!source) return source;
  const FrameFormat size = source->format();
  auto writer = std::make_shared<Y4mWriter>();
  m_writer = writer;
  std::string why;
  m_openFailed = !writer->open(m_path, size.width, size.height, m_rate, why);
  if (m_openFailed) {
    std::fprintf(stderr, "swishcam: %s\n", why.c_str());
    return source;
  }
  return std::make_unique<RecordingSource>(std::move(source), std::move(writer));
}
