#include "capture/v4l2/V4l2Modes.h"

#include <linux/videodev2.h>

#include <array>
#include <string>

namespace {

struct Size2 {
  int width;
  int height;
};

// Sizes offered from a stepwise or continuous range, when the driver gives no list.
constexpr std::array<Size2, 6> commonSizes{
    {{320, 240}, {640, 480}, {800, 600}, {1280, 720}, {1280, 960}, {1920, 1080}}};

bool fitsStep(int value, std::uint32_t minimum, std::uint32_t maximum, std::uint32_t step) {
  const auto v = static_cast<std::uint32_t>(value);
  return v >= minimum && v <= maximum && (step <= 1 || (v - minimum) % step == 0);
}

std::vector<Size2> frameSizes(V4l2Io& io, int fd, std::uint32_t pixelFormat) {
  std::vector<Size2> sizes;
  v4l2_frmsizeenum size{};
  size.pixel_format = pixelFormat;
  for (size.index = 0; io.ioctl(fd, VIDIOC_ENUM_FRAMESIZES, &size) == 0; ++size.index) {
    if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
      sizes.push_back({int(size.discrete.width), int(size.discrete.height)});
      continue;
    }
    const v4l2_frmsize_stepwise& range = size.stepwise;
    for (const Size2& common : commonSizes)
      if (fitsStep(common.width, range.min_width, range.max_width, range.step_width) &&
          fitsStep(common.height, range.min_height, range.max_height, range.step_height))
        sizes.push_back(common);
    break;
  }
  return sizes;
}

// The frame intervals of one size; a range gives its fastest and slowest ends.
std::vector<v4l2_fract> frameIntervals(V4l2Io& io, int fd, std::uint32_t pixelFormat,
                                       Size2 size) {
  std::vector<v4l2_fract> intervals;
  v4l2_frmivalenum interval{};
  interval.pixel_format = pixelFormat;
  interval.width = static_cast<std::uint32_t>(size.width);
  interval.height = static_cast<std::uint32_t>(size.height);
  for (interval.index = 0; io.ioctl(fd, VIDIOC_ENUM_FRAMEINTERVALS, &interval) == 0;
       ++interval.index) {
    if (interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
      intervals.push_back(interval.discrete);
      continue;
    }
    const v4l2_fract& fastest = interval.stepwise.min;
    const v4l2_fract& slowest = interval.stepwise.max;
    intervals.push_back(fastest);
    if (fastest.numerator * slowest.denominator != slowest.numerator * fastest.denominator)
      intervals.push_back(slowest);
    break;
  }
  if (intervals.empty()) intervals.push_back({0, 0});
  return intervals;
}

}  // namespace

bool queryCaptureCard(V4l2Io& io, int fd, std::string& card) {
  v4l2_capability capability{};
  if (io.ioctl(fd, VIDIOC_QUERYCAP, &capability) != 0) return false;
  const std::uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0
                                 ? capability.device_caps
                                 : capability.capabilities;
  card = v4l2Text(capability.card, sizeof capability.card);
  return (caps & V4L2_CAP_VIDEO_CAPTURE) != 0 && (caps & V4L2_CAP_STREAMING) != 0;
}

std::vector<CameraMode> listCameraModes(V4l2Io& io, int fd) {
  std::vector<CameraMode> modes;
  v4l2_fmtdesc format{};
  format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  for (format.index = 0; io.ioctl(fd, VIDIOC_ENUM_FMT, &format) == 0; ++format.index) {
    if (pixelLayoutOf(format.pixelformat) == PixelLayout::Unsupported) continue;
    const std::string name = v4l2Text(format.description, sizeof format.description);
    for (const Size2& size : frameSizes(io, fd, format.pixelformat))
      for (const v4l2_fract& interval : frameIntervals(io, fd, format.pixelformat, size))
        modes.push_back({format.pixelformat, name, size.width, size.height, interval.numerator,
                         interval.denominator});
  }
  return modes;
}

CaptureError applyCameraMode(V4l2Io& io, int fd, const CameraMode& mode,
                             NegotiatedFormat& negotiated) {
  v4l2_format format{};
  format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  format.fmt.pix.pixelformat = mode.pixelFormat;
  format.fmt.pix.width = static_cast<std::uint32_t>(mode.width);
  format.fmt.pix.height = static_cast<std::uint32_t>(mode.height);
  format.fmt.pix.field = V4L2_FIELD_NONE;
  if (io.ioctl(fd, VIDIOC_S_FMT, &format) != 0) return CaptureError::Connection;
  const v4l2_pix_format& agreed = format.fmt.pix;
  // Some drivers leave bytesperline 0 for unpadded rows, which the check reads as such.
  const PictureReport report{agreed.pixelformat, agreed.width, agreed.height, agreed.bytesperline};
  if (!checkPicture(report, negotiated.geometry)) return CaptureError::Connection;
  negotiated.pixelFormat = agreed.pixelformat;
  if (mode.intervalNumerator != 0) {
    v4l2_streamparm rate{};
    rate.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    rate.parm.capture.timeperframe = {mode.intervalNumerator, mode.intervalDenominator};
    io.ioctl(fd, VIDIOC_S_PARM, &rate);  // a camera with a fixed rate refuses; it still runs
  }
  return CaptureError::None;
}
