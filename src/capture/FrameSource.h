#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CameraSettings;

// Receives the frames of a source: one call per frame, on the source's own thread (never
// the window thread), one call at a time. The buffer is valid only during the call.
class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // `sampleTime` is the source's own time stamp in seconds (0 where it has none).
  virtual void onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) = 0;
};

struct FrameFormat {
  int width = 0;
  int height = 0;
};

// Why a capture could not be built or run; each maps to one user message.
enum class CaptureError {
  None,
  NoDevice,     // no device, or the chosen one could not be opened
  Connection,   // the device is busy or offers no usable format
  Run,          // streaming could not start
};

// One opened device. Frames are FrameImages of format(), delivered to the sink.
// Contract: no delivery before start() nor after stop() has returned; stop() waits for a
// delivery in progress; format() is known before the first frame.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  virtual FrameFormat format() const = 0;
  virtual CaptureError start(FrameSink& sink) = 0;
  virtual void stop() = 0;
  // The camera's format and picture controls; null for sources that have none.
  virtual CameraSettings* settings() { return nullptr; }
  // True once the device went away while streaming; only a new open can bring it back.
  virtual bool streamLost() const { return false; }
  // Frames the device delivered that never reached the sink (damaged, or overtaken by a
  // newer one), since the source was opened.
  virtual std::uint64_t droppedFrames() const { return 0; }
  // True when nobody plays: an automatic player moves in the pictures (the demo camera).
  // Its games are shown but never enter the top ten.
  virtual bool automaticPlayer() const { return false; }
};

// A family of devices (the V4L2 cameras, the demo camera, a replay file): lists their names
// in a stable order and opens one of them by its place in that list.
class SourceProvider {
 public:
  virtual ~SourceProvider() = default;
  virtual std::vector<std::string> deviceNames() = 0;
  virtual std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) = 0;
};

// All providers of this run, real cameras first, as one enumeration.
class SourceCatalog {
 public:
  void add(SourceProvider& provider) { providers.push_back(&provider); }
  // Every device name, provider by provider; remembers which provider owns which entry.
  std::vector<std::string> deviceNames();
  // Opens entry `index` of the last deviceNames() listing.
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error);

 private:
  std::vector<SourceProvider*> providers;
  std::vector<std::pair<SourceProvider*, std::size_t>> listed;
};
