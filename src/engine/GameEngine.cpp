#include "engine/GameEngine.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "capture/FrameImage.h"
#include "physics/BallMotion.h"
#include "physics/MotionSense.h"
#include "platform/DrawLock.h"
#include "physics/RingScoring.h"
#include "render/Backdrop.h"
#include "render/CourtLayout.h"
#include "render/ScoreDisplay.h"

GameEngine::GameEngine(TickClock& clock, FieldSurface& surface, SourceCatalog& sources,
                       std::filesystem::path settingsPath)
    : clock(clock), surface(surface), sources(sources), settingsPath(std::move(settingsPath)) {
  court.noise.seed(static_cast<std::uint32_t>(std::time(nullptr)));
  settingsLoad = loadSettings();
}

GameEngine::~GameEngine() {
  closeCamera();
  if (!lastSave) saveSettings();
}

namespace {

// A camera's own time stamp is on the monotonic clock, like the steady clock; one that is
// missing or implausible gives way to the arrival here.
FrameTimes::Clock::time_point arrivalOf(double sampleTime, FrameTimes::Clock::time_point now) {
  const auto stamped = FrameTimes::Clock::time_point(
      std::chrono::duration_cast<FrameTimes::Clock::duration>(
          std::chrono::duration<double>(sampleTime)));
  const bool plausible = sampleTime > 0.0 && stamped <= now && now - stamped < std::chrono::seconds(1);
  return plausible ? stamped : now;
}

}  // namespace

void GameEngine::onFrame(double sampleTime, const std::uint8_t* pixels, std::size_t size) {
  const auto stepStart = FrameTimes::Clock::now();
  stall.frameArrived(clock.now());
  const std::size_t expected = camera.frameSize();
  if (pixels == nullptr || expected == 0 || size != expected ||
      camera.workFrame.size() != expected || match.gameOver.load()) {
    match.gameStartTick = match.computerTick = clock.now();
    times.dropped();
    return;
  }
  if (camera.mirror.load())
    mirrorFrame(pixels, camera.workFrame.data(), camera.frameWidth, camera.frameHeight);
  else
    std::memcpy(camera.workFrame.data(), pixels, expected);

  const std::uint32_t now = clock.now();
  const std::uint32_t elapsed = now - match.lastFrameTick;
  const int moves = m_settings.timing.movesPerFrame;
  const double dt = elapsed <= 1000 ? elapsed * 0.001 / (moves + 1) : 0.0;
  match.lastFrameTick = now;

  FieldCanvas field = canvas();
  const bool shown = windowShown();
  for (int move = 0; move < moves; ++move) {
    moveBall(dt);
    if (shown) drawBallStep(field, ball, camera.shownFrame.data());
  }
  moveBall(dt);
  if (shown) {
    composeFrame(field, ball, camera.workFrame.data());
    tapField(now);
  }
  watchPicture(now);

  camera.keepAsPrevious();
  match.frameDoneTick = clock.now();
  creditComputer();
  endPeriodIfDue();
  const auto stepEnd = FrameTimes::Clock::now();
  times.stepped(arrivalOf(sampleTime, stepStart), stepEnd - stepStart);
}

// The lighting check, and the motion view while it is on.
void GameEngine::watchPicture(std::uint32_t now) {
  const FramePair frames{camera.workFrame.data(), camera.shownFrame.data(), camera.frameWidth,
                         camera.frameHeight};
  lighting.check(frames, now);
  if (!showsMotion()) return;
  senseMotionMap(frames, motion);
  DrawLockGuard lock;
  std::swap(motion.strength, shownMotion);
}

void GameEngine::tapField(std::uint32_t now) {
  if (frameTap == nullptr) return;
  DrawLockGuard lock;  // the window thread draws the scores into the surface
  frameTap->fieldShown(surface, now);
}

void GameEngine::showMotion(bool on) {
  if (partsLocked()) return;
  if (on) {
    motion.resize(camera.frameWidth, camera.frameHeight);
    shownMotion.assign(motion.strength.size(), 0);
  } else {
    motion = {};
    shownMotion = {};
  }
}

// One ball step, then both rings; a computer's target ring is never tested.
void GameEngine::moveBall(double dt) {
  const int prevX = static_cast<int>(ball.x);
  const int prevY = static_cast<int>(ball.y);
  const FramePair frames{camera.workFrame.data(), camera.shownFrame.data(), camera.frameWidth,
                         camera.frameHeight};
  Impacts impacts;
  if (stepBall(ball, court, contact, frames, dt, &impacts)) ++stats.strikes;
  soundImpacts(impacts);
  const int width = court.fieldWidth;
  if (match.rightIsPerson)
    addPoints(2, testRing(court.leftRingRect, true, ball, prevX, prevY, width, match.ring));
  if (match.leftIsPerson)
    addPoints(1, testRing(court.rightRingRect, false, ball, prevX, prevY, width, match.ring));
}

// A ball at rest still touches the floor every step: only a real hit is heard, the harder
// the louder.
void GameEngine::soundImpacts(const Impacts& impacts) {
  constexpr double audible = 60.0;   // px/s into the contact
  constexpr double loudest = 1500.0; // px/s heard at full volume
  auto volume = [](double speed) {
    return static_cast<float>(std::clamp(speed / loudest, 0.15, 1.0));
  };
  const double bounce = std::max(impacts.border, impacts.floor);
  if (bounce > audible) recordSound(Sound::Bounce, volume(bounce));
  if (impacts.solid > audible) recordSound(Sound::Rim, volume(impacts.solid));
}

void GameEngine::recordSound(Sound sound, float volume) {
  ++stats.sounds[static_cast<std::size_t>(sound)];
  sounds.push({sound, volume, std::chrono::steady_clock::now()});
  if (frameTap != nullptr) frameTap->soundMade(sound, volume, clock.now());
}

void GameEngine::addPoints(int display, int points) {
  if (points == 0) return;
  int& score = display == 1 ? match.leftScore : match.rightScore;
  score += points;
  ++stats.baskets;
  recordSound(points == 3 ? Sound::Swish3 : Sound::Swish2);
  showScore(display, score);
}

void GameEngine::creditComputer() {
  if (match.frameDoneTick - match.computerTick <= computerInterval(m_settings.timing.computerSkill)) return;
  match.computerTick = match.frameDoneTick;
  if (!match.rightIsPerson) {
    recordSound(Sound::Computer, 0.6f);
    match.rightScore += 2;
    showScore(2, match.rightScore);
  }
  if (!match.leftIsPerson) {
    recordSound(Sound::Computer, 0.6f);
    match.leftScore += 2;
    showScore(1, match.leftScore);
  }
}

// The window learns of the end only through the posted event; until it has handled it,
// frames are held off.
void GameEngine::endPeriodIfDue() {
  const std::uint32_t period = static_cast<std::uint32_t>(m_settings.timing.periodMinutes) * 60000u;
  if (match.frameDoneTick - match.gameStartTick < period || match.ring.inRing ||
      match.gameOver.load())
    return;
  match.gameOver.store(true);
  recordSound(Sound::Buzzer);
  if (mainWindow != nullptr) mainWindow->postPeriodOver();
  match.gameStartTick = match.computerTick = clock.now();
}

void GameEngine::showScore(int display, int points) {
  ::showScore(court, surface, windowShown(), display, points);
}

void GameEngine::repaintField() {
  if (!windowShown()) return;
  FieldCanvas field = canvas();
  ::repaintField(field);
}

// Every buffer of the frame step is sized here, so that no frame allocates.
void GameEngine::layoutField(bool newGame) {
  if (partsLocked()) return;
  camera.allocateFrames();
  sprite.resize(ball.radius);
  contact.resize(ball.radius);
  if (showsMotion()) showMotion(true);
  const CourtFit fit{camera.frameWidth, camera.frameHeight, ball.radius, match.leftIsPerson,
                     match.rightIsPerson};
  // The window makes room for the court; without one the field is just what it needs.
  const Size needed = neededField(court, fit);
  layoutCourt(court, fit, mainWindow != nullptr ? mainWindow->fitField(needed) : needed);
  placeBallAtStart(ball, court);
  if (newGame) {
    match.leftScore = match.rightScore = 0;
    match.gameStartTick = match.computerTick = clock.now();
  }
  showScore(1, match.leftScore);
  showScore(2, match.rightScore);
  prepareFieldImage(court, surface, match.leftName, match.rightName);
  if (frameTap != nullptr) frameTap->fieldLaidOut(court.fieldWidth, court.fieldHeight);
  saveUnderBall(court, sprite, ball.drawnX, ball.drawnY, camera.workFrame.data());
}

SettingsReport GameEngine::loadSettings() {
  SettingsLoad load = loadSettingsFile(settingsPath);
  if (!load.settings) return load.report;
  m_settings = *load.settings;
  shapeParts();
  return {};
}

SettingsReport GameEngine::saveSettings() {
  lastSave = writeSettingsFile(settingsPath, m_settings);
  return *lastSave;
}
