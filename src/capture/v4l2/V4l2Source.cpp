#include "capture/v4l2/V4l2Source.h"

#include <linux/videodev2.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>

#include "capture/ModeChoice.h"
#include "capture/v4l2/V4l2Controls.h"

namespace {

// Few buffers keep the latency low; the newest-frame rule absorbs a slow frame step.
constexpr std::uint32_t bufferCount = 3;

v4l2_buffer emptyBuffer() {
  v4l2_buffer buffer{};
  buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buffer.memory = V4L2_MEMORY_MMAP;
  return buffer;
}

double secondsOf(const timeval& time) { return double(time.tv_sec) + time.tv_usec * 1e-6; }

}  // namespace

std::unique_ptr<V4l2Source> V4l2Source::open(V4l2Io& io, const std::string& path,
                                             const CameraMode* remembered, Hooks hooks,
                                             CaptureError& error) {
  error = CaptureError::NoDevice;
  const int fd = io.open(path);
  if (fd < 0) return nullptr;
  std::unique_ptr<V4l2Source> source(new V4l2Source(io, fd, std::move(hooks)));
  std::string card;
  if (source->wakeFd < 0 || !queryCaptureCard(io, fd, card)) return nullptr;
  const std::vector<CameraMode> offered = listCameraModes(io, fd);
  const int chosen = chooseCameraMode(offered, remembered);
  error = chosen < 0 ? CaptureError::Connection : source->applyMode(offered[chosen]);
  if (error != CaptureError::None) return nullptr;
  return source;
}

V4l2Source::V4l2Source(V4l2Io& io, int fd, Hooks hooks)
    : io(io), fd(fd), wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), hooks(std::move(hooks)) {}

V4l2Source::~V4l2Source() {
  stop();
  if (wakeFd >= 0) ::close(wakeFd);
  io.close(fd);
}

CaptureError V4l2Source::applyMode(const CameraMode& mode) {
  NegotiatedFormat agreed;
  const CaptureError error = applyCameraMode(io, fd, mode, agreed);
  if (error != CaptureError::None) return error;
  negotiated = agreed;
  current = mode;
  current.pixelFormat = agreed.pixelFormat;
  current.width = agreed.geometry.width;
  current.height = agreed.geometry.height;
  converter.configure(agreed.geometry);
  return CaptureError::None;
}

std::vector<CameraMode> V4l2Source::modes() { return listCameraModes(io, fd); }

CaptureError V4l2Source::setMode(const CameraMode& mode) {
  assert(!thread.joinable() && "the source must be stopped for a mode change");
  if (thread.joinable()) return CaptureError::Run;
  const CameraMode previous = current;
  const CaptureError error = applyMode(mode);
  if (error != CaptureError::None) {
    applyMode(previous);  // the driver may have half-taken the refused mode
    return error;
  }
  if (hooks.modeChosen) hooks.modeChosen(mode);
  return error;
}

std::vector<CameraControl> V4l2Source::controls() { return listCameraControls(io, fd); }

bool V4l2Source::setControl(std::uint32_t id, int value) {
  return setCameraControl(io, fd, id, value);
}

bool V4l2Source::mapBuffers() {
  v4l2_requestbuffers request{};
  request.count = bufferCount;
  request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  request.memory = V4L2_MEMORY_MMAP;
  if (io.ioctl(fd, VIDIOC_REQBUFS, &request) != 0 || request.count < 2) return false;
  for (std::uint32_t index = 0; index < request.count; ++index) {
    v4l2_buffer buffer = emptyBuffer();
    buffer.index = index;
    if (io.ioctl(fd, VIDIOC_QUERYBUF, &buffer) != 0) return false;
    void* address = io.mmap(buffer.length, fd, buffer.m.offset);
    if (address == MAP_FAILED) return false;
    mappings.push_back({address, buffer.length});
    if (io.ioctl(fd, VIDIOC_QBUF, &buffer) != 0) return false;
  }
  return true;
}

void V4l2Source::releaseBuffers() {
  for (const Mapping& mapping : mappings) io.munmap(mapping.address, mapping.length);
  mappings.clear();
  v4l2_requestbuffers request{};
  request.count = 0;
  request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  request.memory = V4L2_MEMORY_MMAP;
  io.ioctl(fd, VIDIOC_REQBUFS, &request);
}

CaptureError V4l2Source::start(FrameSink& frameSink) {
  if (thread.joinable()) return CaptureError::None;
  if (!converter.usable()) return CaptureError::Run;
  int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (!mapBuffers() || io.ioctl(fd, VIDIOC_STREAMON, &type) != 0) {
    releaseBuffers();
    return CaptureError::Run;
  }
  std::uint64_t stale = 0;
  while (::read(wakeFd, &stale, sizeof stale) > 0) {
  }
  lost.store(false);
  sink = &frameSink;
  thread = std::thread([this] { run(); });
  return CaptureError::None;
}

void V4l2Source::stop() {
  if (!thread.joinable()) return;
  const std::uint64_t one = 1;
  while (::write(wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
  }
  thread.join();  // returns once a delivery in progress has returned
  sink = nullptr;
  int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  io.ioctl(fd, VIDIOC_STREAMOFF, &type);  // fails harmlessly on an unplugged device
  releaseBuffers();
}

void V4l2Source::run() {
  pollfd waits[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
  for (;;) {
    waits[0].revents = waits[1].revents = 0;
    if (io.poll(waits, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return loseStream();
    }
    if (waits[1].revents != 0) return;
    if ((waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return loseStream();
    if ((waits[0].revents & POLLIN) != 0 && !deliverNewest()) return loseStream();
  }
}

// Dequeues everything that is ready, hands the newest sound picture to the sink and puts
// every buffer back. False when the device has gone.
bool V4l2Source::deliverNewest() {
  v4l2_buffer newest = emptyBuffer();
  bool have = false;
  for (;;) {
    v4l2_buffer buffer = emptyBuffer();
    if (io.ioctl(fd, VIDIOC_DQBUF, &buffer) != 0) {
      if (errno == EAGAIN) break;
      return false;
    }
    const bool damaged = (buffer.flags & V4L2_BUF_FLAG_ERROR) != 0 ||
                         buffer.index >= mappings.size() || buffer.bytesused == 0;
    if (damaged || have) {
      dropped.fetch_add(1, std::memory_order_relaxed);
      if (!requeue(damaged ? buffer : newest)) return false;
    }
    if (!damaged) {
      newest = buffer;
      have = true;
    }
  }
  if (!have) return true;
  const Mapping& mapping = mappings[newest.index];
  const std::span<const std::uint8_t> picture =
      deliveredPicture(negotiated.geometry, static_cast<const std::uint8_t*>(mapping.address),
                       mapping.length, 0, newest.bytesused);
  if (!picture.empty() && converter.convert(picture.data(), picture.size())) {
    const std::vector<std::uint8_t>& frame = converter.frame();
    sink->onFrame(secondsOf(newest.timestamp), frame.data(), frame.size());
  } else {
    dropped.fetch_add(1, std::memory_order_relaxed);
  }
  return requeue(newest);
}

bool V4l2Source::requeue(v4l2_buffer& buffer) {
  return io.ioctl(fd, VIDIOC_QBUF, &buffer) == 0;
}

// The device went away: end the thread (no retry, so no spinning) and tell the window.
void V4l2Source::loseStream() {
  lost.store(true);
  if (hooks.streamLost) hooks.streamLost();
}
