#include "engine/StallWatch.h"

#include <gtest/gtest.h>

#include "support/EngineScene.h"

namespace {

// One step of a camera's life: a frame arrives, or the window looks (and expects a restart
// or not, and the stalled line or not).
struct Step {
  enum Kind { Frame, Look } kind;
  std::uint32_t at;   // ms after the start
  bool retry = false;
  bool stalled = false;
};

TEST(StallWatch, TwoSilentSecondsStallThenARestartEverySecondUntilFramesReturn) {
  const Step steps[] = {
      {Step::Look, 0}, {Step::Frame, 100},
      {Step::Look, 2099},                                          // 1999 ms of silence: not yet
      {Step::Look, 2100, true, true},                              // 2 s: stalled, restart at once
      {Step::Look, 2600, false, true}, {Step::Look, 3099, false, true},
      {Step::Look, 3100, true, true}, {Step::Look, 4100, true, true},  // a second later: again
      {Step::Frame, 4200}, {Step::Look, 4300}, {Step::Look, 6199},   // pictures again
      {Step::Look, 6200, true, true},      // silent again, counted from the last frame
      {Step::Frame, 8301},                 // the capture thread read the clock a tick later
      {Step::Look, 8300},                  // than the look: no silence
  };
  constexpr std::uint32_t start = 0xFFFFF000u;  // across the tick counter's wrap
  StallWatch watch;
  watch.restart(start);
  for (const Step& step : steps) {
    if (step.kind == Step::Frame) {
      watch.frameArrived(start + step.at);
      continue;
    }
    EXPECT_EQ(watch.retryDue(start + step.at), step.retry) << step.at;
    EXPECT_EQ(watch.stalled(), step.stalled) << step.at;
  }
}

TEST(StallWatch, TheEngineRestartsAStalledStreamQuietlyAndLeavesALostOneAlone) {
  EngineScene scene;
  ASSERT_TRUE(scene.build());
  ScriptedSource& camera = *scene.provider.last;
  scene.deliverUniform(128);
  camera.startError = CaptureError::Run;  // the restarts fail: still no message
  // Two seconds after the frame a restart, a second later another; unplugged, none.
  for (auto [wait, stops, starts, unplugged] : {std::tuple{1999, 0, 1, false}, {1, 1, 2, false},
                                                {1000, 2, 3, false}, {1000, 2, 3, true}}) {
    EXPECT_TRUE(scene.window.messages.empty());  // the player is told only of an unplugging
    camera.lost = unplugged;
    scene.clock.advance(wait);
    scene.engine->watchStall();
    EXPECT_EQ(std::pair(camera.stops, camera.starts), std::pair(stops, starts)) << wait;
    if (!unplugged) { EXPECT_EQ(scene.engine->stall.stalled(), starts > 1); }
  }
}

TEST(StallWatch, AStartByTheGameGivesTheCameraTwoFreshSeconds) {
  EngineScene scene;
  ASSERT_TRUE(scene.build());
  scene.clock.advance(5000);  // no frame since the build
  scene.engine->stopCapture();
  scene.engine->startCapture();  // a settings change
  scene.clock.advance(1999);
  scene.engine->watchStall();
  EXPECT_EQ(std::pair(scene.provider.last->starts, scene.engine->stall.stalled()), std::pair(2, false));
}

}  // namespace
