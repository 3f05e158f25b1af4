#pragma once
#include <filesystem>
#include <string>

#include "capture/FramePainter.h"
#include "capture/Y4mReader.h"

// The frames of a Y4M file, from first to last and again from the first.
class ReplaySource final : public FramePainter {
 public:
  // Opens and checks the whole file; false with a reason.
  bool open(const std::filesystem::path& path, std::string& error);
  FrameFormat format() const override { return {m_reader.header().width, m_reader.header().height}; }
  double framesPerSecond() const override { return m_reader.header().rate.perSecond(); }
  FrameRatio rate() const { return m_reader.header().rate; }
  bool paint(std::uint8_t* frame) override;

 private:
  Y4mReader m_reader;
  std::size_t m_next = 0;
};

// How the replay of `path` is listed among the devices.
std::string replayDeviceName(const std::filesystem::path& path);
