#include "app/LiveCameras.h"

LiveCameras::LiveCameras(std::function<void()> onStreamLost,
                         std::chrono::milliseconds pipeWireWait)
    : m_v4l2(onStreamLost),
      m_pipeWire(onStreamLost, [this] { return m_v4l2.listedPaths(); }, pipeWireWait) {
  m_both.add(m_v4l2);
  m_both.add(m_pipeWire);  // lists after the V4L2 cameras, whose paths it leaves out
}

std::vector<std::string> LiveCameras::deviceNames() { return m_both.deviceNames(); }

std::unique_ptr<FrameSource> LiveCameras::open(std::size_t index, CaptureError& error) {
  return m_both.open(index, error);
}
