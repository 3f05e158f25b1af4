#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameSource.h"
#include "capture/decode/FrameConverter.h"
#include "capture/pipewire/PipeWireNodes.h"
#include "capture/pipewire/PipeWireSession.h"

struct pw_stream;
struct spa_hook;

// One PipeWire camera node, streamed into the game. Its own session's thread loop runs only
// while the source streams: start() opens a stream to the node at the chosen mode and
// resumes the loop, stop() destroys the stream and joins the loop's thread. Of the buffers
// that have queued up when the loop wakes, only the newest is converted and delivered.
class PipeWireSource final : public FrameSource, public CameraSettings {
 public:
  struct Hooks {
    std::function<void(const CameraMode&)> modeChosen;  // a mode set through setMode()
    std::function<void()> streamLost;  // on the loop thread, once, when the node goes away
  };

  // Connects, finds `node` again by its serial, reads what it offers and chooses the mode
  // (`remembered` if offered, else the default choice). Null, with `error` set, on failure.
  static std::unique_ptr<PipeWireSource> open(const PipeWireNode& node,
                                               const CameraMode* remembered, Hooks hooks,
                                               std::chrono::milliseconds wait, CaptureError& error);
  ~PipeWireSource() override;
  PipeWireSource(const PipeWireSource&) = delete;
  PipeWireSource& operator=(const PipeWireSource&) = delete;

  FrameFormat format() const override { return {current.width, current.height}; }
  CaptureError start(FrameSink& sink) override;
  void stop() override;
  CameraSettings* settings() override { return this; }
  bool streamLost() const override { return lost.load(); }
  std::uint64_t droppedFrames() const override { return dropped.load(); }

  std::vector<CameraMode> modes() override { return offered; }
  CameraMode mode() const override { return current; }
  CaptureError setMode(const CameraMode& mode) override;
  std::vector<CameraControl> controls() override { return knobs; }
  bool setControl(std::uint32_t id, int value) override;

  struct Events;  // libpipewire's stream callbacks

 private:
  PipeWireSource(std::chrono::milliseconds wait, Hooks hooks);
  bool findNode(std::uint64_t serial);
  void readControls();
  // False, with nothing changed, for a mode whose pictures fail the geometry check.
  bool applyMode(const CameraMode& mode);
  // Sets the converter up for rows of `stride` bytes (0: the least); false if refused.
  bool checkStride(std::uint64_t stride);
  void onFormat(const struct spa_pod* format);
  void onProcess();
  void loseStream();
  friend struct Events;

  PipeWireSession session;
  std::chrono::milliseconds wait;
  Hooks hooks;
  PipeWireNode node;
  std::vector<CameraMode> offered;
  std::vector<CameraControl> knobs;
  CameraMode current;
  FrameConverter converter;
  PictureGeometry geometry;       // the checked pictures the converter is set up for
  pw_stream* stream = nullptr;
  std::unique_ptr<spa_hook> streamListener;
  FrameSink* sink = nullptr;
  std::atomic<bool> lost{false};
  std::atomic<std::uint64_t> dropped{0};
};
