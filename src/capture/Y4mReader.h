#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "capture/CFile.h"
#include "capture/FrameRate.h"

// Chroma layouts a YUV4MPEG2 file may carry. Every 4:2:0 siting variant reads the same
// way: one chroma sample per 2 × 2 block, taken for each pixel of the block.
enum class Y4mChroma { Yuv420, Yuv422, Yuv411, Yuv444, Mono };

struct Y4mHeader {
  int width = 0;
  int height = 0;
  FrameRatio rate;
  Y4mChroma chroma = Y4mChroma::Yuv420;
};

// Parses the stream header line (without its newline). False with a reason in `error`.
bool parseY4mHeader(const std::string& line, Y4mHeader& header, std::string& error);
// Bytes of one frame's planes (without the FRAME line).
std::size_t y4mFrameBytes(const Y4mHeader& header);

// A YUV4MPEG2 file opened for reading. open() checks the header and indexes every frame,
// so a bad file (or anything but a regular file, a named pipe above all) is refused at once
// and reading never meets a surprise; a truncated last frame is dropped with a note on
// stderr. Lines may end in CRLF, and one newline may follow the last frame. readFrame()
// converts one frame to the game's frame layout and allocates nothing.
class Y4mReader {
 public:
  bool open(const std::filesystem::path& path, std::string& error);
  const Y4mHeader& header() const { return m_header; }
  std::size_t frameCount() const { return m_offsets.size(); }
  // Frame `index` as a FrameImage of the header's size (FrameImage.h: top row first).
  bool readFrame(std::size_t index, std::uint8_t* frame);

 private:
  bool indexFrames(const std::string& name, std::string& error);
  void widen411Chroma(const std::uint8_t* cb, const std::uint8_t* cr);
  void convert(std::uint8_t* frame);

  CFile m_file;
  Y4mHeader m_header;
  std::vector<long long> m_offsets;   // where each frame's planes start
  std::vector<std::uint8_t> m_planes; // one frame as stored
  std::vector<std::uint8_t> m_chroma422;  // 4:1:1 files only: their chroma widened to 4:2:2
};
