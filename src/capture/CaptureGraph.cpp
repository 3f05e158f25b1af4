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

// Device search by the stored name, open, frame format, a new game's layout, then the
// stream. The format and the buffers exist before the first frame can arrive.
int GameEngine::buildCaptureGraph(WindowLink& window) {
  const int chosen = chooseCaptureDevice(sources.deviceNames(), videoDeviceName, deviceNames,
                                         deviceCount);
  CaptureError error = CaptureError::NoDevice;
  if (chosen >= 0) {
    videoDeviceName = deviceNames[chosen];
    source = sources.open(static_cast<std::size_t>(chosen), error);
  }
  if (!source) {
    window.showMessage(messageFor(error));
    return E_FAIL;
  }
  mainWindow = &window;
  readFrameFormat();
  layoutCourt(1);
  startCapture();
  return 0;
}

void GameEngine::stopCapture() {
  if (source) source->stop();
}

void GameEngine::startCapture() {
  if (!source) return;
  if (source->start(*this) != CaptureError::None && mainWindow != nullptr)
    mainWindow->showMessage(messageRun);
}

void GameEngine::releaseCaptureGraph() {
  if (!source) return;
  source->stop();
  source.reset();
}

void GameEngine::readFrameFormat() {
  if (!source) return;
  const FrameFormat format = source->format();
  frameWidth = format.width;
  frameHeight = format.height;
}

void GameEngine::relayout(int newGame) {
  if (mainWindow != nullptr) mainWindow->beginRelayout();
  readFrameFormat();
  layoutCourt(newGame);
  if (mainWindow != nullptr) mainWindow->endRelayout();
}
