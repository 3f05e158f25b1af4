#pragma once
#include <linux/videodev2.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>

#include "capture/CameraSettings.h"
#include "capture/v4l2/V4l2Io.h"

// A camera node as the fake kernel knows it: YUYV at its sizes, at a rate it does not name.
struct FakeNode {
  std::string path;
  std::string card;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes{{640, 480}, {320, 240}};
  std::uint32_t caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
  int formatErrno = 0;           // EBUSY: another program holds the camera
  std::uint32_t rowPadding = 0;  // bytes the driver adds to each row
  // A driver that answers a format request with a format and row stride of its own (0: YUYV,
  // rows of 2 × width + rowPadding bytes), however unusable.
  std::uint32_t answeredFormat = 0;
  std::uint32_t answeredStride = 0;
};

// The kernel side of the cameras. Every open node is a real eventfd, so the source's poll()
// waits on it as on a device. The test plays the camera: pushFrame() fills the oldest queued
// buffer and makes the node readable; unplug() makes it readable and fails every later call
// with ENODEV.
class FakeV4l2Device final : public V4l2Io {
 public:
  using Bytes = std::vector<std::uint8_t>;
  explicit FakeV4l2Device(std::vector<FakeNode> nodes) : nodeList(std::move(nodes)) {}

  std::vector<std::string> nodes() override {
    std::vector<std::string> paths;
    for (const FakeNode& node : nodeList) paths.push_back(node.path);
    return paths;
  }
  int open(const std::string& path) override {
    std::lock_guard lock(mutex);
    for (std::size_t i = 0; i < nodeList.size(); ++i)
      if (nodeList[i].path == path) return openNodes.emplace(eventfd(0, EFD_NONBLOCK), i).first->first;
    return fail(ENOENT);
  }
  int close(int fd) override {
    std::lock_guard lock(mutex);
    openNodes.erase(fd);
    return ::close(fd);
  }
  void* mmap(std::size_t length, int, off_t offset) override {
    std::lock_guard lock(mutex);
    Bytes& memory = buffers.at(static_cast<std::size_t>(offset));
    return length == memory.size() ? memory.data() : MAP_FAILED;
  }
  int munmap(void*, std::size_t) override { return 0; }
  int poll(pollfd* fds, nfds_t count, int timeoutMs) override {
    std::unique_lock lock(mutex);
    ++polls;
    for (nfds_t i = 0; i < count; ++i)
      if (openNodes.count(fds[i].fd) == 0) wakeFd = fds[i].fd;  // the source's own
    changed.notify_all();
    lock.unlock();
    return ::poll(fds, count, timeoutMs);
  }
  int ioctl(int fd, unsigned long request, void* argument) override {
    std::lock_guard lock(mutex);
    if (unplugged) return fail(ENODEV);
    const FakeNode& node = nodeList[openNodes.at(fd)];
    switch (request) {
      case VIDIOC_QUERYCAP: {
        auto& caps = as<v4l2_capability>(argument);
        node.card.copy(reinterpret_cast<char*>(caps.card), sizeof caps.card);
        return caps.capabilities = V4L2_CAP_DEVICE_CAPS, caps.device_caps = node.caps, 0;
      }
      case VIDIOC_ENUM_FMT:
        as<v4l2_fmtdesc>(argument).pixelformat = yuyv;
        return as<v4l2_fmtdesc>(argument).index == 0 ? 0 : fail(EINVAL);
      case VIDIOC_ENUM_FRAMESIZES: {
        auto& size = as<v4l2_frmsizeenum>(argument);
        if (size.index >= node.sizes.size()) return fail(EINVAL);
        size.type = V4L2_FRMSIZE_TYPE_DISCRETE;
        size.discrete = {node.sizes[size.index].first, node.sizes[size.index].second};
        return 0;
      }
      case VIDIOC_S_FMT: {  // drivers refuse a new format while buffers exist
        if (node.formatErrno != 0 || !buffers.empty()) return fail(node.formatErrno ? node.formatErrno : EBUSY);
        v4l2_pix_format& pix = as<v4l2_format>(argument).fmt.pix;
        pix.pixelformat = node.answeredFormat != 0 ? node.answeredFormat : yuyv;
        pix.bytesperline = node.answeredStride != 0 ? node.answeredStride : pix.width * 2 + node.rowPadding;
        imageSize = pix.sizeimage = pix.bytesperline * pix.height;
        return 0;
      }
      case VIDIOC_REQBUFS: buffers.assign(as<v4l2_requestbuffers>(argument).count, Bytes(imageSize)); return 0;
      case VIDIOC_QUERYBUF: {
        auto& buffer = as<v4l2_buffer>(argument);
        return buffer.length = imageSize, buffer.m.offset = buffer.index, 0;
      }
      case VIDIOC_QBUF: queued.push_back(as<v4l2_buffer>(argument)); return 0;
      case VIDIOC_DQBUF: return dequeue(fd, as<v4l2_buffer>(argument));
      case VIDIOC_STREAMOFF: queued.clear(); done.clear(); return 0;
      case VIDIOC_STREAMON: return 0;
      default: return fail(ENOTTY);
    }
  }

  // Fills the oldest queued buffer and makes the node readable; false when none is queued.
  // A driver may claim more bytes than its buffer holds: `claimed` then says how many.
  bool pushFrame(const Bytes& picture, std::uint32_t flags = 0, std::uint32_t claimed = 0) {
    std::lock_guard lock(mutex);
    if (queued.empty()) return false;
    v4l2_buffer filled = queued.front();
    queued.pop_front();
    Bytes& memory = buffers[filled.index];
    filled.bytesused = static_cast<std::uint32_t>(std::min(picture.size(), memory.size()));
    filled.flags = flags;
    std::copy_n(picture.begin(), filled.bytesused, memory.begin());
    if (claimed != 0) filled.bytesused = claimed;
    done.push_back(filled);
    signalAll();
    return true;
  }
  void unplug() {
    std::lock_guard lock(mutex);
    unplugged = true, signalAll();
  }
  // Blocks until the capture thread has entered poll() `count` times.
  void waitForPolls(int count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return polls >= count; });
  }
  int pollCount() {
    std::lock_guard lock(mutex);
    return polls;
  }
  // Blocks until the source has been told to stop: its own wake-up fd becomes readable. Call
  // it after a delivery, which follows the poll() that named that fd.
  void waitForStopRequest() {
    pollfd wake{wakeFd, POLLIN, 0};
    ::poll(&wake, 1, -1);
  }

  std::vector<FakeNode> nodeList;

 private:
  static constexpr std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');
  static int fail(int error) { return errno = error, -1; }
  template <typename Argument>
  static Argument& as(void* argument) { return *static_cast<Argument*>(argument); }
  void signalAll() {
    const std::uint64_t one = 1;
    for (const auto& open : openNodes) (void)::write(open.first, &one, sizeof one);
  }
  int dequeue(int fd, v4l2_buffer& buffer) {
    std::uint64_t drained;  // the node is not readable again until a frame comes
    if (done.empty()) return (void)::read(fd, &drained, sizeof drained), fail(EAGAIN);
    buffer = done.front();
    done.pop_front();
    return 0;
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::map<int, std::size_t> openNodes;  // fd → node
  std::vector<Bytes> buffers;
  std::deque<v4l2_buffer> queued, done;
  std::uint32_t imageSize = 0;
  int wakeFd = -1;
  int polls = 0;
  bool unplugged = false;
};
