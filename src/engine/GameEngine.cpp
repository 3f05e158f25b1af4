#include "engine/GameEngine.h"

#include <cstring>

#include "capture/FrameImage.h"

GameEngine::GameEngine(TickClock& clock, FieldSurface& surface, SourceCatalog& sources,
                       std::filesystem::path settingsPath)
    : clock(clock), surface(surface), sources(sources), settingsPath(std::move(settingsPath)) {
  settingsLoad = loadSettings();
}

GameEngine::~GameEngine() {
  releaseCaptureGraph();
  releaseCourtBuffers();
  if (!lastSave) saveSettings();
}

void GameEngine::BufferCB(double, const std::uint8_t* buffer, long bufferLength) {
  const std::size_t expected = frameBytes(frameWidth, frameHeight);
  if (buffer == nullptr || expected == 0 || static_cast<std::size_t>(bufferLength) != expected ||
      workFrame.size() != expected || gameOver.load() != 0) {
    gameStartTick = computerTick = clock.now();
    return;
  }
  if (mirror.load() != 0)
    mirrorFrame(buffer, workFrame.data(), frameWidth, frameHeight);
  else
    std::memcpy(workFrame.data(), buffer, expected);

  const std::uint32_t now = clock.now();
  const std::uint32_t elapsed = now - lastFrameTick;
  const double dt = elapsed <= 1000 ? elapsed * 0.001 / (movesPerFrame + 1) : 0.0;
  lastFrameTick = now;

  for (int move = 0; move < movesPerFrame; ++move) {
    stepBall(dt);
    drawBallStep(static_cast<int>(ballX), static_cast<int>(ballY));
  }
  stepBall(dt);
  composeFrame(static_cast<int>(ballX), static_cast<int>(ballY));

  std::memcpy(shownFrame.data(), workFrame.data(), expected);
  frameDoneTick = clock.now();
  creditComputer();
  endPeriodIfDue();
}

std::uint32_t GameEngine::computerInterval(int skill) {
  const double s = skill;
  return static_cast<std::uint32_t>((50.0 - 15.5 * s + 1.5 * s * s) * 1000);
}

void GameEngine::creditComputer() {
  if (frameDoneTick - computerTick <= computerInterval(computerSkill)) return;
  computerTick = frameDoneTick;
  if (rightIsPerson == 0) {
    rightScore += 2;
    showScore(2, rightScore);
  }
  if (leftIsPerson == 0) {
    leftScore += 2;
    showScore(1, leftScore);
  }
}

void GameEngine::endPeriodIfDue() {
  const std::uint32_t period = static_cast<std::uint32_t>(periodMinutes) * 60000u;
  if (frameDoneTick - gameStartTick < period || ballInRing != 0 || gameOver.load() != 0) return;
  gameOver.store(1);
  if (mainWindow != nullptr) mainWindow->postFrameEvent(FRAME_EVENT_GAME_OVER);
  gameStartTick = computerTick = clock.now();
}
