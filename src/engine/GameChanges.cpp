#include <cassert>

#include "capture/CameraSettings.h"
#include "engine/GameEngine.h"
#include "platform/DrawLock.h"

// The frame step reads every part on the capture thread: a change while frames flow would
// tear it. A caller that gets here with the capture running has skipped the stop.
bool GameEngine::partsLocked() const {
  assert(!m_capturing && "parts change only while the capture is stopped");
  return m_capturing;
}

// The physics and the drawing read the environment from the ball and the court.
void GameEngine::shapeParts() {
  if (partsLocked()) return;
  const EnvironmentSettings& environment = m_settings.environment;
  ball.gravity = environment.gravity;
  ball.radius = environment.ballRadius;
  court.basketSize = environment.basketSize;
  court.ringHeight = environment.ringHeight;
  court.skinIndex = environment.skinIndex;
  camera.mirror.store(m_settings.video.mirror != 0);
}

template <typename Change>
void GameEngine::whileStopped(bool newGame, Change&& change) {
  stopCapture();
  change();
  relayout(newGame);
  startCapture();
}

// The court is laid out again even when nothing changed; scores and clock run on.
void GameEngine::applyEnvironment(const EnvironmentSettings& environment) {
  whileStopped(false, [&] {
    m_settings.environment = environment;
    shapeParts();
  });
}

// Before the first layout (the command line) there is no game to restart: the values wait
// for openCamera's new game.
void GameEngine::applyPlayers(const TimingSettings& timing, std::string leftName,
                              std::string rightName) {
  auto change = [&] {
    m_settings.timing = timing;
    match.setNames(std::move(leftName), std::move(rightName));
  };
  if (!court.laidOut()) {
    stopCapture();
    change();
    return;
  }
  whileStopped(true, change);
}

bool GameEngine::applyVideo(const VideoSettings& video) {
  m_settings.video.mirror = video.mirror;
  camera.mirror.store(video.mirror != 0);  // the next frame uses it
  const bool lost = camera.source != nullptr && camera.source->streamLost();
  if (video.videoDeviceName == m_settings.video.videoDeviceName && !lost) return true;
  closeCamera();
  m_settings.video.videoDeviceName = video.videoDeviceName;
  return mainWindow != nullptr && openCamera(*mainWindow);
}

void GameEngine::applyCameraMode(const CameraMode& mode) {
  CameraSettings* settings = camera.source ? camera.source->settings() : nullptr;
  if (settings == nullptr || mode.sameAs(settings->mode())) return;
  whileStopped(false, [&] { settings->setMode(mode); });
}

void GameEngine::showMotionView(bool on) {
  if (on == showsMotion()) return;
  stopCapture();
  {
    DrawLockGuard guard;  // the window's paint reads the shown map
    showMotion(on);
  }
  startCapture();
}

void GameEngine::seedNoise(std::uint32_t seed) {
  if (!partsLocked()) court.noise.seed(seed);
}

void GameEngine::fitWindow() {
  if (!court.laidOut()) return;
  whileStopped(false, [] {});
}
