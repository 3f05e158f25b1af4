#include "engine/GameEngine.h"

#include <cstring>

#include "capture/FrameImage.h"
#include "physics/BallMotion.h"
#include "physics/RingScoring.h"
#include "render/Backdrop.h"
#include "render/CourtLayout.h"
#include "render/ScoreDisplay.h"

GameEngine::GameEngine(TickClock& clock, FieldSurface& surface, SourceCatalog& sources,
                       std::filesystem::path settingsPath)
    : clock(clock), surface(surface), sources(sources), settingsPath(std::move(settingsPath)) {
  loadSettings();
}

GameEngine::~GameEngine() {
  releaseCaptureGraph();
  saveSettings();
}

void GameEngine::onFrame(double, const std::uint8_t* pixels, std::size_t size) {
  const std::size_t expected = camera.frameSize();
  if (pixels == nullptr || expected == 0 || size != expected ||
      camera.workFrame.size() != expected || match.gameOver.load()) {
    match.gameStartTick = match.computerTick = clock.now();
    return;
  }
  if (camera.mirror.load())
    mirrorFrame(pixels, camera.workFrame.data(), camera.frameWidth, camera.frameHeight);
  else
    std::memcpy(camera.workFrame.data(), pixels, expected);

  const std::uint32_t now = clock.now();
  const std::uint32_t elapsed = now - match.lastFrameTick;
  const double dt = elapsed <= 1000 ? elapsed * 0.001 / (match.movesPerFrame + 1) : 0.0;
  match.lastFrameTick = now;

  FieldCanvas field = canvas();
  for (int move = 0; move < match.movesPerFrame; ++move) {
    moveBall(dt);
    drawBallStep(field, ball, camera.shownFrame.data());
  }
  moveBall(dt);
  composeFrame(field, ball, camera.workFrame.data());

  camera.keepAsPrevious();
  match.frameDoneTick = clock.now();
  creditComputer();
  endPeriodIfDue();
}

// One ball step, then both rings; a computer's target ring is never tested.
void GameEngine::moveBall(double dt) {
  const int prevX = static_cast<int>(ball.x);
  const int prevY = static_cast<int>(ball.y);
  const FramePair frames{camera.workFrame.data(), camera.shownFrame.data(), camera.frameWidth,
                         camera.frameHeight};
  if (stepBall(ball, court, contact, frames, dt)) ++stats.strikes;
  const int width = court.fieldWidth;
  if (match.rightIsPerson)
    addPoints(2, testRing(court.leftRingRect, true, ball, prevX, prevY, width, match.ring));
  if (match.leftIsPerson)
    addPoints(1, testRing(court.rightRingRect, false, ball, prevX, prevY, width, match.ring));
}

void GameEngine::addPoints(int display, int points) {
  if (points == 0) return;
  int& score = display == 1 ? match.leftScore : match.rightScore;
  score += points;
  ++stats.baskets;
  showScore(display, score);
}

void GameEngine::creditComputer() {
  if (match.frameDoneTick - match.computerTick <= computerInterval(match.computerSkill)) return;
  match.computerTick = match.frameDoneTick;
  if (!match.rightIsPerson) {
    match.rightScore += 2;
    showScore(2, match.rightScore);
  }
  if (!match.leftIsPerson) {
    match.leftScore += 2;
    showScore(1, match.leftScore);
  }
}

// The window learns of the end only through the posted event; until it has handled it,
// frames are held off.
void GameEngine::endPeriodIfDue() {
  const std::uint32_t period = static_cast<std::uint32_t>(match.periodMinutes) * 60000u;
  if (match.frameDoneTick - match.gameStartTick < period || match.ring.inRing ||
      match.gameOver.load())
    return;
  match.gameOver.store(true);
  if (mainWindow != nullptr) mainWindow->postPeriodOver();
  match.gameStartTick = match.computerTick = clock.now();
}

void GameEngine::showScore(int display, int points) {
  ::showScore(court, surface, mainWindow != nullptr && mainWindow->isWindow(), display, points);
}

void GameEngine::repaintField() {
  FieldCanvas field = canvas();
  ::repaintField(field);
}

// Every buffer of the frame step is sized here, so that no frame allocates.
void GameEngine::layoutField(bool newGame) {
  camera.allocateFrames();
  sprite.resize(ball.radius);
  contact.resize(ball.radius);
  layoutCourt(court,
              {camera.frameWidth, camera.frameHeight, ball.radius, match.leftIsPerson,
               match.rightIsPerson},
              mainWindow);
  placeBallAtStart(ball, court);
  if (newGame) {
    match.leftScore = match.rightScore = 0;
    match.gameStartTick = match.computerTick = clock.now();
  }
  showScore(1, match.leftScore);
  showScore(2, match.rightScore);
  prepareFieldImage(court, surface, match.leftName, match.rightName);
  saveUnderBall(court, sprite, ball.drawnX, ball.drawnY, camera.workFrame.data());
}
