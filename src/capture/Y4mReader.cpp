#include "capture/Y4mReader.h"

#include <libyuv.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <sstream>

#include "capture/FrameImage.h"
#include "platform/SafeFile.h"

namespace {

constexpr int maxSide = 4096;  // px; the court around a larger picture would not fit in memory
constexpr std::size_t maxLineLength = 4096;

// At most a few bytes of raw header text for a message: printable characters as they are,
// anything else (terminal escape codes, NUL) as \xNN, so that no message can drive the
// terminal or be cut short.
std::string excerpt(std::string_view raw) {
  constexpr std::size_t shownBytes = 16;
  std::string shown;
  for (const char c : raw.substr(0, shownBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    shown += byte >= 0x20 && byte < 0x7f && byte != '\\' ? std::string(1, c) : escaped;
  }
  return raw.size() > shownBytes ? shown + "..." : shown;
}

bool parseInt(std::string_view text, int& value) {
  auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && stop == text.data() + text.size() && !text.empty();
}

// A frame width or height: a whole number from 1 to maxSide.
bool parseSide(const std::string& word, int& value, const char* side, const char* unit,
               std::string& error) {
  if (parseInt(std::string_view(word).substr(1), value) && value > 0 && value <= maxSide)
    return true;
  error = std::string("bad frame ") + side + " '" + excerpt(word) + "' (a whole number of " +
          unit + ", 1 to " + std::to_string(maxSide) + ")";
  return false;
}

bool parseRatio(std::string_view text, FrameRatio& ratio) {
  const std::size_t colon = text.find(':');
  int numerator = 0;
  int denominator = 0;
  if (colon == std::string_view::npos || !parseInt(text.substr(0, colon), numerator) ||
      !parseInt(text.substr(colon + 1), denominator) || numerator <= 0 || denominator <= 0)
    return false;
  ratio = {static_cast<std::uint32_t>(numerator), static_cast<std::uint32_t>(denominator)};
  return true;
}

bool parseChroma(std::string_view text, Y4mChroma& chroma) {
  if (text == "420jpeg" || text == "420paldv" || text == "420mpeg2" || text == "420")
    chroma = Y4mChroma::Yuv420;
  else if (text == "422")
    chroma = Y4mChroma::Yuv422;
  else if (text == "411")
    chroma = Y4mChroma::Yuv411;
  else if (text == "444")
    chroma = Y4mChroma::Yuv444;
  else if (text == "mono")
    chroma = Y4mChroma::Mono;
  else
    return false;
  return true;
}

// Horizontal and vertical chroma subsampling.
std::pair<int, int> chromaStep(Y4mChroma chroma) {
  switch (chroma) {
    case Y4mChroma::Yuv420: return {2, 2};
    case Y4mChroma::Yuv422: return {2, 1};
    case Y4mChroma::Yuv411: return {4, 1};
    case Y4mChroma::Yuv444:
    case Y4mChroma::Mono: break;
  }
  return {1, 1};
}

std::size_t chromaPlaneBytes(const Y4mHeader& h) {
  if (h.chroma == Y4mChroma::Mono) return 0;
  auto [sx, sy] = chromaStep(h.chroma);
  return static_cast<std::size_t>((h.width + sx - 1) / sx) * ((h.height + sy - 1) / sy);
}

// One line up to '\n' (not kept, nor a '\r' before it), or false at end of file or when it
// runs too long.
bool readLine(std::FILE* file, std::string& line) {
  line.clear();
  int c = std::fgetc(file);
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    if (line.size() >= maxLineLength) return false;
    line.push_back(static_cast<char>(c));
  }
  if (line.ends_with('\r')) line.pop_back();
  return c == '\n';
}

}  // namespace

bool parseY4mHeader(const std::string& line, Y4mHeader& header, std::string& error) {
  std::istringstream words(line);
  std::string word;
  if (!(words >> word) || word != "YUV4MPEG2") {
    error = "not a YUV4MPEG2 file (the header must start with \"YUV4MPEG2 \")";
    return false;
  }
  header = Y4mHeader{};
  bool haveWidth = false, haveHeight = false, haveRate = false;
  while (words >> word) {
    const std::string_view value = std::string_view(word).substr(1);
    switch (word[0]) {
      case 'W':
        haveWidth = parseSide(word, header.width, "width", "pixels", error);
        if (!haveWidth) return false;
        break;
      case 'H':
        haveHeight = parseSide(word, header.height, "height", "rows", error);
        if (!haveHeight) return false;
        break;
      case 'F':
        haveRate = parseRatio(value, header.rate);
        if (!haveRate || !isUsableFrameRate(header.rate.perSecond())) {
          error = "bad frame rate '" + excerpt(word) + "' (1 to 240 frames per second)";
          return false;
        }
        break;
      case 'C':
        if (!parseChroma(value, header.chroma)) {
          error = "unknown colour space '" + excerpt(value) +
                  "' (420jpeg, 420paldv, 420mpeg2, 420, 422, 411, 444 and mono are read)";
          return false;
        }
        break;
      default:
        break;  // interlacing, aspect and extensions do not change the pixels we read
    }
  }
  if (!haveWidth || !haveHeight || !haveRate) {
    error = "the header lacks the frame width (W), height (H) or rate (F)";
    return false;
  }
  return true;
}

std::size_t y4mFrameBytes(const Y4mHeader& header) {
  return static_cast<std::size_t>(header.width) * header.height + 2 * chromaPlaneBytes(header);
}

bool Y4mReader::open(const std::filesystem::path& path, std::string& error) {
  const std::string name = path.string();
  const OpenedFile opened = openRegularFile(path);
  std::string problem = opened.problem;
  if (opened.fd >= 0) {
    m_file.reset(::fdopen(opened.fd, "rb"));
    if (!m_file) {
      problem = std::strerror(errno);
      ::close(opened.fd);
    }
  }
  if (!m_file) {
    error = name + ": cannot open the file (" + problem + ")";
    return false;
  }
  std::string line;
  if (!readLine(m_file.get(), line)) {
    error = name + ": truncated or overlong header";
    return false;
  }
  if (!parseY4mHeader(line, m_header, error)) {
    error = name + ": " + error;
    return false;
  }
  if (!indexFrames(name, error)) return false;
  m_planes.resize(y4mFrameBytes(m_header));
  if (m_header.chroma == Y4mChroma::Yuv411)
    m_chroma422.resize(2 * (static_cast<std::size_t>(m_header.width + 1) / 2) * m_header.height);
  return true;
}

// Walks the FRAME lines and skips each frame's planes, starting just after the stream
// header. A file that ends inside the last frame (its line or its planes) loses that frame.
bool Y4mReader::indexFrames(const std::string& name, std::string& error) {
  const long long frameBytes = static_cast<long long>(y4mFrameBytes(m_header));
  std::FILE* file = m_file.get();
  const long long planesStart = std::ftell(file);
  std::fseek(file, 0, SEEK_END);
  const long long fileEnd = std::ftell(file);
  std::fseek(file, planesStart, SEEK_SET);
  m_offsets.clear();
  std::string line;
  bool truncated = false;
  while (std::ftell(file) < fileEnd) {
    const bool whole = readLine(file, line);
    if (whole && line.empty() && std::ftell(file) == fileEnd) break;  // a newline ends the file
    const bool frameLine = line.starts_with("FRAME") && (line.size() == 5 || line[5] == ' ');
    const bool cutShort = !whole && std::ftell(file) == fileEnd &&
                          (frameLine || std::string_view("FRAME").starts_with(line));
    if (cutShort) {
      truncated = true;
      break;
    }
    if (!whole || !frameLine) {
      error = name + ": bad frame header at frame " + std::to_string(m_offsets.size() + 1);
      return false;
    }
    const long long planes = std::ftell(file);
    if (fileEnd - planes < frameBytes) {
      truncated = true;
      break;
    }
    m_offsets.push_back(planes);
    std::fseek(file, planes + frameBytes, SEEK_SET);
  }
  if (truncated)
    std::fprintf(stderr, "%s: the last frame is truncated and was dropped\n", name.c_str());
  if (m_offsets.empty()) {
    error = name + ": the file holds no complete frame";
    return false;
  }
  return true;
}

bool Y4mReader::readFrame(std::size_t index, std::uint8_t* frame) {
  if (index >= m_offsets.size() || !m_file) return false;
  if (std::fseek(m_file.get(), m_offsets[index], SEEK_SET) != 0) return false;
  if (std::fread(m_planes.data(), 1, m_planes.size(), m_file.get()) != m_planes.size())
    return false;
  convert(frame);
  return true;
}

// 4:1:1 chroma rows widened to 4:2:2 by taking each sample twice, as libyuv reads no 4:1:1.
void Y4mReader::widen411Chroma(const std::uint8_t* cb, const std::uint8_t* cr) {
  const std::size_t from = static_cast<std::size_t>(m_header.width + 3) / 4;
  const std::size_t to = static_cast<std::size_t>(m_header.width + 1) / 2;
  std::uint8_t* cb422 = m_chroma422.data();
  std::uint8_t* cr422 = cb422 + to * m_header.height;
  for (int row = 0; row < m_header.height; ++row, cb += from, cr += from, cb422 += to, cr422 += to)
    for (std::size_t x = 0; x < to; ++x) {
      cb422[x] = cb[x / 2];
      cr422[x] = cr[x / 2];
    }
}

// The stored planes to a frame, top row first, BT.601 limited range.
void Y4mReader::convert(std::uint8_t* frame) {
  const int w = m_header.width;
  const int h = m_header.height;
  const int half = (w + 1) / 2;  // chroma samples a row in 4:2:0 and 4:2:2
  const int frameStride = w * framePixelBytes;
  const std::uint8_t* luma = m_planes.data();
  const std::uint8_t* cb = luma + static_cast<std::size_t>(w) * h;
  const std::uint8_t* cr = cb + chromaPlaneBytes(m_header);
  switch (m_header.chroma) {
    case Y4mChroma::Yuv420:
      libyuv::I420ToARGB(luma, w, cb, half, cr, half, frame, frameStride, w, h);
      break;
    case Y4mChroma::Yuv411: {
      widen411Chroma(cb, cr);
      const std::uint8_t* cb422 = m_chroma422.data();
      libyuv::I422ToARGB(luma, w, cb422, half, cb422 + static_cast<std::size_t>(half) * h, half,
                         frame, frameStride, w, h);
      break;
    }
    case Y4mChroma::Yuv422:
      libyuv::I422ToARGB(luma, w, cb, half, cr, half, frame, frameStride, w, h);
      break;
    case Y4mChroma::Yuv444:
      libyuv::I444ToARGB(luma, w, cb, w, cr, w, frame, frameStride, w, h);
      break;
    case Y4mChroma::Mono:  // I400 is limited-range grey, as the other layouts' luma
      libyuv::I400ToARGB(luma, w, frame, frameStride, w, h);
      break;
  }
}
