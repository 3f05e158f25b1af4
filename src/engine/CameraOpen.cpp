#include "capture/CaptureMessages.h"
#include "engine/GameEngine.h"

namespace {

const char* messageFor(CaptureError error) {
  switch (error) {
    case CaptureError::Connection: return messageConnection;
    case CaptureError::Run: return messageRun;
    case CaptureError::NoDevice:
    case CaptureError::None: break;
  }
  return messageNoDevice;
}

}  // namespace

// The format and the buffers exist before the first frame can arrive.
bool GameEngine::openCamera(WindowLink& window) {
  return openDevice(window, m_settings.video.videoDeviceName, true);
}

bool GameEngine::openCameraOnce(WindowLink& window, const std::string& deviceName) {
  return openDevice(window, deviceName, false);
}

bool GameEngine::openDevice(WindowLink& window, const std::string& wanted, bool remember) {
  const int chosen =
      chooseCaptureDevice(sources.deviceNames(), wanted, camera.deviceNames, camera.deviceCount);
  CaptureError error = CaptureError::NoDevice;
  if (chosen >= 0) {
    if (remember) m_settings.video.videoDeviceName = camera.deviceNames[chosen];
    camera.source = sources.open(static_cast<std::size_t>(chosen), error);
  }
  if (!camera.source) {
    window.showMessage(messageFor(error));
    return false;
  }
  mainWindow = &window;
  readFrameFormat();
  layoutField(true);
  startCapture();
  return true;
}

void GameEngine::stopCapture() {
  if (camera.source) camera.source->stop();
  m_capturing = false;
}

void GameEngine::startCapture() {
  if (!camera.source) return;
  lighting.restart();
  stall.restart(clock.now());
  m_capturing = camera.source->start(*this) == CaptureError::None;
  if (!m_capturing && mainWindow != nullptr) mainWindow->showMessage(messageRun);
}

void GameEngine::watchStall() {
  if (!camera.source || camera.source->streamLost() || !stall.retryDue(clock.now())) return;
  camera.source->stop();
  m_capturing = camera.source->start(*this) == CaptureError::None;
}

void GameEngine::closeCamera() {
  stopCapture();
  camera.source.reset();
}

void GameEngine::readFrameFormat() {
  if (!camera.source) return;
  const FrameFormat format = camera.source->format();
  camera.frameWidth = format.width;
  camera.frameHeight = format.height;
}

void GameEngine::relayout(bool newGame) {
  if (mainWindow != nullptr) mainWindow->beginRelayout();
  readFrameFormat();
  layoutField(newGame);
  if (mainWindow != nullptr) mainWindow->endRelayout();
}
