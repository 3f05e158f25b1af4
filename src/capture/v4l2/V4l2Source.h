#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameSource.h"
#include "capture/decode/FrameConverter.h"
#include "capture/v4l2/V4l2Io.h"
#include "capture/v4l2/V4l2Modes.h"

struct v4l2_buffer;

// One opened V4L2 camera, streaming through a few memory-mapped buffers on its own
// thread. The thread waits in poll() on the device and on an eventfd, so stop() wakes it at
// once; when frames have queued up only the newest is delivered. Buffers exist only while
// streaming, so a mode change (made while stopped) never meets a driver that refuses it.
class V4l2Source final : public FrameSource, public CameraSettings {
 public:
  struct Hooks {
    std::function<void(const CameraMode&)> modeChosen;  // a mode set through setMode()
    std::function<void()> streamLost;  // called on the capture thread when the device went
  };

  // Opens the node at `path` and sets the mode (`remembered` if offered, else the default
  // choice). Null, with `error` set, when that fails.
  static std::unique_ptr<V4l2Source> open(V4l2Io& io, const std::string& path,
                                          const CameraMode* remembered, Hooks hooks,
                                          CaptureError& error);
  ~V4l2Source() override;
  V4l2Source(const V4l2Source&) = delete;
  V4l2Source& operator=(const V4l2Source&) = delete;

  FrameFormat format() const override {
    return {negotiated.geometry.width, negotiated.geometry.height};
  }
  CaptureError start(FrameSink& sink) override;
  void stop() override;
  CameraSettings* settings() override { return this; }
  bool streamLost() const override { return lost.load(); }
  std::uint64_t droppedFrames() const override { return dropped.load(); }

  std::vector<CameraMode> modes() override;
  CameraMode mode() const override { return current; }
  CaptureError setMode(const CameraMode& mode) override;
  std::vector<CameraControl> controls() override;
  bool setControl(std::uint32_t id, int value) override;

 private:
  struct Mapping {
    void* address = nullptr;
    std::size_t length = 0;
  };

  V4l2Source(V4l2Io& io, int fd, Hooks hooks);
  CaptureError applyMode(const CameraMode& mode);
  bool mapBuffers();
  void releaseBuffers();
  void run();
  bool deliverNewest();
  bool requeue(v4l2_buffer& buffer);
  void loseStream();

  V4l2Io& io;
  int fd;
  int wakeFd;                       // eventfd: written by stop() to end the wait
  Hooks hooks;
  CameraMode current;
  NegotiatedFormat negotiated;
  FrameConverter converter;
  std::vector<Mapping> mappings;
  FrameSink* sink = nullptr;
  std::thread thread;
  std::atomic<bool> lost{false};
  std::atomic<std::uint64_t> dropped{0};  // frames delivered by the device, never passed on
};
