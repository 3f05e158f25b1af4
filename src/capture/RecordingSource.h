#pragma once
#include <filesystem>
#include <memory>

#include "capture/FrameRate.h"
#include "capture/FrameSource.h"
#include "capture/Y4mWriter.h"

// Wraps any frame source and writes every frame it hands to the engine, as received (before
// mirroring), to a Y4M file, then passes the frame on unchanged.
class RecordingSource final : public FrameSource, private FrameSink {
 public:
  RecordingSource(std::unique_ptr<FrameSource> inner, std::shared_ptr<Y4mWriter> writer);
  FrameFormat format() const override { return m_inner->format(); }
  CaptureError start(FrameSink& sink) override;
  void stop() override { m_inner->stop(); }
  bool automaticPlayer() const override { return m_inner->automaticPlayer(); }
  // A camera unplugged or dropping frames while it is recorded is still told to the game.
  bool streamLost() const override { return m_inner->streamLost(); }
  std::uint64_t droppedFrames() const override { return m_inner->droppedFrames(); }

 private:
  void onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) override;

  std::unique_ptr<FrameSource> m_inner;
  std::shared_ptr<Y4mWriter> m_writer;
  FrameSink* m_sink = nullptr;
  std::size_t m_frameLength = 0;
};

// Lists the devices of `inner` and records whichever is opened into `path` at `rate`.
// A recording that cannot be created or written is reported on stderr and the device runs
// on unrecorded.
class RecordingProvider final : public SourceProvider {
 public:
  RecordingProvider(SourceProvider& inner, std::filesystem::path path, FrameRatio rate)
      : m_inner(inner), m_path(std::move(path)), m_rate(rate) {}
  std::vector<std::string> deviceNames() override { return m_inner.deviceNames(); }
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;

  // The last recording could not be created, or stopped on a write error (a full disk).
  // Read while its source is stopped: the writer notes the error on the capture thread.
  bool failed() const { return m_openFailed || (m_writer && m_writer->failed()); }

 private:
  SourceProvider& m_inner;
  std::filesystem::path m_path;
  FrameRatio m_rate;
  bool m_openFailed = false;
  std::shared_ptr<const Y4mWriter> m_writer;  // the last recording's, shared with its source
};
