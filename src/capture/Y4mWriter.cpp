#include "capture/Y4mWriter.h"

#include <cerrno>
#include <cstring>

#include "capture/FrameImage.h"
#include "capture/YuvConvert.h"

bool Y4mWriter::open(const std::filesystem::path& path, int width, int height, FrameRatio rate,
                     std::string& error) {
  m_name = path.string();
  if (width <= 0 || height <= 0) {
    error = m_name + ": nothing to record without a frame size";
    return false;
  }
  m_file.reset(std::fopen(path.c_str(), "wb"));
  if (!m_file) {
    error = m_name + ": cannot write the recording (" + std::strerror(errno) + ")";
    return false;
  }
  m_width = width;
  m_height = height;
  m_planes.resize(static_cast<std::size_t>(width) * height * 3);
  m_failed = std::fprintf(m_file.get(), "YUV4MPEG2 W%d H%d F%u:%u Ip A1:1 C444\n", width,
                          height, rate.numerator, rate.denominator) < 0;
  return true;
}

void Y4mWriter::write(const std::uint8_t* frame) {
  if (!m_file || m_failed) return;
  const std::size_t plane = static_cast<std::size_t>(m_width) * m_height;
  std::uint8_t* luma = m_planes.data();
  for (std::size_t at = 0; at < plane; ++at) {
    const Yuv yuv = bgrToYuv(frame + at * framePixelBytes);
    luma[at] = yuv.y;
    luma[plane + at] = yuv.cb;
    luma[2 * plane + at] = yuv.cr;
  }
  if (std::fputs("FRAME\n", m_file.get()) < 0 ||
      std::fwrite(m_planes.data(), 1, m_planes.size(), m_file.get()) != m_planes.size() ||
      std::fflush(m_file.get()) != 0) {
    m_failed = true;
    std::fprintf(stderr, "%s: recording stopped, the file cannot be written (%s)\n",
                 m_name.c_str(), std::strerror(errno));
    return;
  }
  ++m_frames;
}
