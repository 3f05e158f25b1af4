#pragma once
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/v4l2/V4l2Io.h"

// A camera node as the fake kernel knows it.
struct FakeNode {
  std::string path;
  std::string card;
  std::uint32_t deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
  struct Format {
    std::uint32_t fourcc;
    std::string description;
    std::vector<std::pair<int, int>> sizes;
    std::vector<v4l2_fract> intervals;  // the same for every size
  };
  std::vector<Format> formats;
  int setFormatErrno = 0;   // e.g. EBUSY: another program holds the camera
  int bytesPerLineExtra = 0;
};

inline FakeNode fakeCamera(const std::string& path, const std::string& card) {
  return {path, card, V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING,
          {{fourcc('Y', 'U', 'Y', 'V'), "YUYV 4:2:2", {{640, 480}, {320, 240}},
            {{1, 15}, {1, 30}}}},
          0, 0};
}

// The kernel side of the cameras for the V4L2 code: every node is backed by a real eventfd,
// so the source's poll() waits on it exactly as on a device. The test plays the camera:
// pushFrame() fills a queued buffer and makes the node readable, unplug() makes every later
// call fail with ENODEV and poll report POLLERR.
class FakeV4l2Device final : public V4l2Io {
 public:
  explicit FakeV4l2Device(std::vector<FakeNode> nodeList) : nodeList(std::move(nodeList)) {}
  ~FakeV4l2Device() override {
    for (auto& [fd, node] : openNodes) ::close(fd);
  }

  std::vector<std::string> nodes() override {
    std::vector<std::string> paths;
    for (const FakeNode& node : nodeList) paths.push_back(node.path);
    return paths;
  }

  int open(const std::string& path) override {
    std::lock_guard lock(mutex);
    for (std::size_t i = 0; i < nodeList.size(); ++i) {
      if (nodeList[i].path != path) continue;
      const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
      openNodes[fd] = i;
      ++opens;
      return fd;
    }
    errno = ENOENT;
    return -1;
  }

  int close(int fd) override {
    std::lock_guard lock(mutex);
    openNodes.erase(fd);
    return ::close(fd);
  }

  void* mmap(std::size_t length, int, off_t offset) override {
    std::lock_guard lock(mutex);
    auto index = static_cast<std::size_t>(offset);
    if (index >= buffers.size() || length != buffers[index].memory.size()) return MAP_FAILED;
    return buffers[index].memory.data();
  }
  int munmap(void*, std::size_t) override { return 0; }

  int poll(pollfd* fds, nfds_t count, int timeoutMs) override {
    {
      std::lock_guard lock(mutex);
      ++polls;
    }
    changed.notify_all();
    const int result = ::poll(fds, count, timeoutMs);
    std::lock_guard lock(mutex);
    if (unplugged)
      for (nfds_t i = 0; i < count; ++i)
        if (openNodes.count(fds[i].fd) != 0) fds[i].revents = POLLERR;
    return result;
  }

  int ioctl(int fd, unsigned long request, void* argument) override {
    std::lock_guard lock(mutex);
    if (openNodes.count(fd) == 0) return fail(EBADF);
    if (unplugged) return fail(ENODEV);
    FakeNode& node = nodeList[openNodes[fd]];
    switch (request) {
      case VIDIOC_QUERYCAP: return queryCap(node, *static_cast<v4l2_capability*>(argument));
      case VIDIOC_ENUM_FMT: return enumFormat(node, *static_cast<v4l2_fmtdesc*>(argument));
      case VIDIOC_ENUM_FRAMESIZES:
        return enumSize(node, *static_cast<v4l2_frmsizeenum*>(argument));
      case VIDIOC_ENUM_FRAMEINTERVALS:
        return enumInterval(node, *static_cast<v4l2_frmivalenum*>(argument));
      case VIDIOC_S_FMT: return setFormat(node, *static_cast<v4l2_format*>(argument));
      case VIDIOC_S_PARM: return 0;
      case VIDIOC_REQBUFS: return requestBuffers(*static_cast<v4l2_requestbuffers*>(argument));
      case VIDIOC_QUERYBUF: return queryBuffer(*static_cast<v4l2_buffer*>(argument));
      case VIDIOC_QBUF: return queueBuffer(*static_cast<v4l2_buffer*>(argument));
      case VIDIOC_DQBUF: return dequeueBuffer(fd, *static_cast<v4l2_buffer*>(argument));
      case VIDIOC_STREAMON: streaming = true; return 0;
      case VIDIOC_STREAMOFF: streaming = false; queued.clear(); done.clear(); return 0;
      case VIDIOC_QUERYCTRL: return queryControl(*static_cast<v4l2_queryctrl*>(argument));
      case VIDIOC_QUERYMENU: return queryMenu(*static_cast<v4l2_querymenu*>(argument));
      case VIDIOC_G_CTRL: return getControl(*static_cast<v4l2_control*>(argument));
      case VIDIOC_S_CTRL: return setControl(*static_cast<v4l2_control*>(argument));
      default: return fail(ENOTTY);
    }
  }

  // ---- The test's side ----

  // Fills the oldest queued buffer with `picture` and makes the node readable. False when
  // no buffer is queued.
  bool pushFrame(const std::vector<std::uint8_t>& picture, std::uint32_t flags = 0) {
    std::lock_guard lock(mutex);
    if (queued.empty()) return false;
    Buffer& buffer = buffers[queued.front()];
    std::memcpy(buffer.memory.data(), picture.data(),
                std::min(picture.size(), buffer.memory.size()));
    buffer.bytesUsed = static_cast<std::uint32_t>(std::min(picture.size(), buffer.memory.size()));
    buffer.flags = flags;
    done.push_back(queued.front());
    queued.pop_front();
    signalAll();
    return true;
  }

  void unplug() {
    std::lock_guard lock(mutex);
    unplugged = true;
    signalAll();
  }

  // Blocks until the capture thread has entered poll() at least `count` times.
  void waitForPolls(int count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return polls >= count; });
  }
  int pollCount() {
    std::lock_guard lock(mutex);
    return polls;
  }
  std::size_t allocatedBuffers() {
    std::lock_guard lock(mutex);
    return buffers.size();
  }

  struct Control {
    v4l2_queryctrl query;
    int value;
    std::map<std::uint32_t, std::string> menu;  // index → name; gaps allowed
  };
  std::vector<Control> controls;
  std::vector<FakeNode> nodeList;
  v4l2_pix_format lastFormat{};   // the last format set
  int opens = 0;

 private:
  struct Buffer {
    std::vector<std::uint8_t> memory;
    std::uint32_t bytesUsed = 0;
    std::uint32_t flags = 0;
  };

  static int fail(int error) {
    errno = error;
    return -1;
  }

  void signalAll() {
    const std::uint64_t one = 1;
    for (auto& [fd, node] : openNodes) (void)::write(fd, &one, sizeof one);
  }

  int queryCap(const FakeNode& node, v4l2_capability& capability) {
    capability = {};
    std::memcpy(capability.card, node.card.data(),
                std::min(node.card.size(), sizeof capability.card));
    capability.device_caps = node.deviceCaps;
    capability.capabilities = node.deviceCaps | V4L2_CAP_DEVICE_CAPS;
    return 0;
  }

  int enumFormat(const FakeNode& node, v4l2_fmtdesc& description) {
    if (description.index >= node.formats.size()) return fail(EINVAL);
    const FakeNode::Format& format = node.formats[description.index];
    description.pixelformat = format.fourcc;
    std::strncpy(reinterpret_cast<char*>(description.description), format.description.c_str(),
                 sizeof description.description - 1);
    return 0;
  }

  const FakeNode::Format* findFormat(const FakeNode& node, std::uint32_t code) {
    for (const FakeNode::Format& format : node.formats)
      if (format.fourcc == code) return &format;
    return nullptr;
  }

  int enumSize(const FakeNode& node, v4l2_frmsizeenum& size) {
    const FakeNode::Format* format = findFormat(node, size.pixel_format);
    if (format == nullptr || size.index >= format->sizes.size()) return fail(EINVAL);
    size.type = V4L2_FRMSIZE_TYPE_DISCRETE;
    size.discrete.width = static_cast<std::uint32_t>(format->sizes[size.index].first);
    size.discrete.height = static_cast<std::uint32_t>(format->sizes[size.index].second);
    return 0;
  }

  int enumInterval(const FakeNode& node, v4l2_frmivalenum& interval) {
    const FakeNode::Format* format = findFormat(node, interval.pixel_format);
    if (format == nullptr || interval.index >= format->intervals.size()) return fail(EINVAL);
    interval.type = V4L2_FRMIVAL_TYPE_DISCRETE;
    interval.discrete = format->intervals[interval.index];
    return 0;
  }

  // Drivers refuse a new format while buffers exist.
  int setFormat(const FakeNode& node, v4l2_format& requested) {
    if (node.setFormatErrno != 0) return fail(node.setFormatErrno);
    if (!buffers.empty()) return fail(EBUSY);
    const FakeNode::Format* format = findFormat(node, requested.fmt.pix.pixelformat);
    if (format == nullptr) format = &node.formats.front();
    v4l2_pix_format& pix = requested.fmt.pix;
    pix.pixelformat = format->fourcc;
    const bool packed = format->fourcc == fourcc('Y', 'U', 'Y', 'V');
    pix.bytesperline = packed ? pix.width * 2 + node.bytesPerLineExtra : 0;
    pix.sizeimage = packed ? pix.bytesperline * pix.height : pix.width * pix.height * 3;
    lastFormat = pix;
    return 0;
  }

  int requestBuffers(v4l2_requestbuffers& request) {
    if (streaming) return fail(EBUSY);
    buffers.clear();
    queued.clear();
    done.clear();
    for (std::uint32_t i = 0; i < request.count; ++i)
      buffers.push_back({std::vector<std::uint8_t>(lastFormat.sizeimage), 0, 0});
    return 0;
  }

  int queryBuffer(v4l2_buffer& buffer) {
    if (buffer.index >= buffers.size()) return fail(EINVAL);
    buffer.length = static_cast<std::uint32_t>(buffers[buffer.index].memory.size());
    buffer.m.offset = buffer.index;
    return 0;
  }

  int queueBuffer(v4l2_buffer& buffer) {
    if (buffer.index >= buffers.size()) return fail(EINVAL);
    queued.push_back(buffer.index);
    return 0;
  }

  int dequeueBuffer(int fd, v4l2_buffer& buffer) {
    if (done.empty()) {
      std::uint64_t drained;
      (void)::read(fd, &drained, sizeof drained);
      return fail(EAGAIN);
    }
    buffer.index = done.front();
    done.pop_front();
    buffer.bytesused = buffers[buffer.index].bytesUsed;
    buffer.flags = buffers[buffer.index].flags;
    return 0;
  }

  Control* findControl(std::uint32_t id) {
    for (Control& control : controls)
      if (control.query.id == id) return &control;
    return nullptr;
  }

  int queryControl(v4l2_queryctrl& query) {
    const bool next = (query.id & V4L2_CTRL_FLAG_NEXT_CTRL) != 0;
    const std::uint32_t id = query.id & ~V4L2_CTRL_FLAG_NEXT_CTRL;
    for (const Control& control : controls) {
      if (next ? control.query.id > id : control.query.id == id) {
        query = control.query;
        return 0;
      }
    }
    return fail(EINVAL);
  }

  int queryMenu(v4l2_querymenu& item) {
    Control* control = findControl(item.id);
    if (control == nullptr || control->menu.count(item.index) == 0) return fail(EINVAL);
    std::strncpy(reinterpret_cast<char*>(item.name), control->menu[item.index].c_str(),
                 sizeof item.name - 1);
    return 0;
  }

  int getControl(v4l2_control& value) {
    Control* control = findControl(value.id);
    if (control == nullptr) return fail(EINVAL);
    value.value = control->value;
    return 0;
  }

  int setControl(v4l2_control& value) {
    Control* control = findControl(value.id);
    if (control == nullptr) return fail(EINVAL);
    control->value = value.value;
    return 0;
  }

  std::mutex mutex;
  std::condition_variable changed;
  std::map<int, std::size_t> openNodes;  // fd → node
  std::vector<Buffer> buffers;
  std::deque<std::uint32_t> queued;
  std::deque<std::uint32_t> done;
  bool streaming = false;
  bool unplugged = false;
  int polls = 0;
};
