#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "capture/CFile.h"
#include "capture/FrameRate.h"

// Writes game frames (FrameImage.h: top row first) as a YUV4MPEG2 4:4:4 file in BT.601
// limited range, which video players and ffmpeg read. A write failure (a full disk) is noted
// on stderr once and ends the recording; the game goes on.
class Y4mWriter {
 public:
  bool open(const std::filesystem::path& path, int width, int height, FrameRatio rate,
            std::string& error);
  // One FrameImage of the size given to open(); allocates nothing.
  void write(const std::uint8_t* frame);
  bool failed() const { return m_failed; }
  std::uint64_t framesWritten() const { return m_frames; }

 private:
  CFile m_file;
  std::string m_name;
  int m_width = 0;
  int m_height = 0;
  std::vector<std::uint8_t> m_planes;  // Y, Cb and Cr planes of one frame, top row first
  bool m_failed = false;
  std::uint64_t m_frames = 0;
};
