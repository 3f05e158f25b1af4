#include "app/LiveFrames.h"

namespace {

// Passes every frame on, then counts it.
class CountingSource final : public FrameSource, private FrameSink {
 public:
  CountingSource(std::unique_ptr<FrameSource> inner, LiveFrames& tally)
      : m_inner(std::move(inner)), m_tally(tally) {}
  FrameFormat format() const override { return m_inner->format(); }
  CaptureError start(FrameSink& sink) override {
    m_sink = &sink;
    return m_inner->start(*this);
  }
  void stop() override { m_inner->stop(); }
  CameraSettings* settings() override { return m_inner->settings(); }
  bool streamLost() const override { return m_inner->streamLost(); }
  std::uint64_t droppedFrames() const override { return m_inner->droppedFrames(); }

 private:
  void onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) override {
    if (!m_tally.admits()) return;
    m_sink->onFrame(sampleTime, pixels, size);
    m_tally.counted();
  }

  std::unique_ptr<FrameSource> m_inner;
  LiveFrames& m_tally;
  FrameSink* m_sink = nullptr;
};

}  // namespace

std::unique_ptr<FrameSource> LiveFrames::open(std::size_t index, CaptureError& error) {
  std::unique_ptr<FrameSource> inner = m_inner.open(index, error);
  if (!inner) return nullptr;
  {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_count = 0;
  }
  return std::make_unique<CountingSource>(std::move(inner), *this);
}

std::uint64_t LiveFrames::count() {
  std::lock_guard<std::mutex> guard(m_mutex);
  return m_count;
}

std::uint64_t LiveFrames::waitBeyond(std::uint64_t seen,
                                     std::chrono::steady_clock::time_point until) {
  std::unique_lock<std::mutex> guard(m_mutex);
  const std::uint64_t wakes = m_wakes;
  m_changed.wait_until(guard, until, [&] { return m_count > seen || m_wakes != wakes; });
  return m_count;
}

void LiveFrames::limit(std::uint64_t frames) {
  std::lock_guard<std::mutex> guard(m_mutex);
  m_limit = frames;
}

bool LiveFrames::admits() {
  std::lock_guard<std::mutex> guard(m_mutex);
  return m_count < m_limit;
}

void LiveFrames::wake() {
  std::lock_guard<std::mutex> guard(m_mutex);
  ++m_wakes;
  m_changed.notify_all();
}

void LiveFrames::counted() {
  std::lock_guard<std::mutex> guard(m_mutex);
  ++m_count;
  m_changed.notify_all();
}
