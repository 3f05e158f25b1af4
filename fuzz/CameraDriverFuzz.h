#pragma once
// One camera frame as the V4L2 source meets it. The input starts with what a driver reports:
// a format choice (1 byte), then width, height, bytes per row and bytes used (4 bytes each,
// little-endian), any of which may be a lie; the rest is the mapped buffer. The report goes
// through the same negotiation as a real camera's, the buffer through the same frame check
// and converter.
#include <linux/videodev2.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "capture/decode/FrameConverter.h"
#include "capture/v4l2/V4l2Modes.h"

namespace fuzz {

constexpr std::size_t reportBytes = 17;
// Larger pictures only cost time per input; their arithmetic is that of smaller ones.
constexpr std::uint64_t maxPixels = 1 << 20;

inline std::uint32_t littleEndian32(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

// A driver that answers the format request with the report and refuses everything else.
class ReportingDriver final : public V4l2Io {
 public:
  explicit ReportingDriver(const v4l2_pix_format& report) : report(report) {}
  std::vector<std::string> nodes() override { return {}; }
  int open(const std::string&) override { return -1; }
  int close(int) override { return 0; }
  int ioctl(int, unsigned long request, void* argument) override {
    if (request != VIDIOC_S_FMT) return -1;
    static_cast<v4l2_format*>(argument)->fmt.pix = report;
    return 0;
  }
  void* mmap(std::size_t, int, off_t) override { return MAP_FAILED; }
  int munmap(void*, std::size_t) override { return 0; }
  int poll(pollfd*, nfds_t, int) override { return -1; }

 private:
  v4l2_pix_format report;
};

inline void convertReportedFrame(const std::uint8_t* data, std::size_t size,
                                 std::span<const std::uint32_t> formats) {
  if (size < reportBytes) return;
  v4l2_pix_format report{};
  report.pixelformat = formats[data[0] % formats.size()];
  report.width = littleEndian32(data + 1);
  report.height = littleEndian32(data + 5);
  report.bytesperline = littleEndian32(data + 9);
  const std::uint32_t bytesUsed = littleEndian32(data + 13);
  if (std::uint64_t{report.width} * report.height > maxPixels) return;

  ReportingDriver driver(report);
  CameraMode asked;
  asked.pixelFormat = report.pixelformat;
  NegotiatedFormat agreed;
  if (applyCameraMode(driver, 0, asked, agreed) != CaptureError::None) return;
  FrameConverter converter;
  converter.configure(agreed.geometry);
  // A buffer of its own, so that the sanitizer sees its end as a mapping's end.
  const std::vector<std::uint8_t> mapped(data + reportBytes, data + size);
  const std::span<const std::uint8_t> picture =
      deliveredPicture(agreed.geometry, mapped.data(), mapped.size(), 0, bytesUsed);
  if (!picture.empty()) converter.convert(picture.data(), picture.size());
}

}  // namespace fuzz
