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
      {Step::Look, 0},
      {Step::Frame, 100},
      {Step::Look, 2099},                  // 1999 ms of silence: not yet
      {Step::Look, 2100, true, true},      // 2 s: stalled, restart at once
      {Step::Look, 2600, false, true},
      {Step::Look, 3099, false, true},
      {Step::Look, 3100, true, true},      // a second later: again
      {Step::Look, 4100, true, true},
      {Step::Frame, 4200},                 // pictures again
      {Step::Look, 4300},
      {Step::Look, 6199},
      {Step::Look, 6200, true, true},      // silent again, counted from the last frame
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

TEST(StallWatch, AFrameStampedAheadOfTheLookIsNoSilence) {
  StallWatch watch;
  watch.restart(1000);
  watch.frameArrived(5001);  // the capture thread read the clock a tick later
  EXPECT_FALSE(watch.retryDue(5000));
  EXPECT_FALSE(watch.stalled());
}

TEST(StallWatch, TheEngineRestartsAStalledStreamQuietlyAndLeavesALostOneAlone) {
  EngineScene scene;
  ASSERT_TRUE(scene.build());
  ScriptedSource& camera = *scene.provider.last;
  scene.deliverUniform(128);
  camera.startError = CaptureError::Run;  // the restarts fail: still no message
  scene.clock.advance(1999);
  scene.engine->watchStall();
  EXPECT_EQ(camera.starts, 1);
  scene.clock.advance(1);
  scene.engine->watchStall();
  EXPECT_EQ(camera.stops, 1);
  EXPECT_EQ(camera.starts, 2);
  EXPECT_TRUE(scene.engine->stall.stalled());
  scene.clock.advance(1000);
  scene.engine->watchStall();
  EXPECT_EQ(camera.starts, 3);
  EXPECT_TRUE(scene.window.messages.empty());

  camera.lost = true;  // unplugged: the player is told, the game does not retry
  scene.clock.advance(1000);
  scene.engine->watchStall();
  EXPECT_EQ(camera.starts, 3);
}

TEST(StallWatch, AStartByTheGameGivesTheCameraTwoFreshSeconds) {
  EngineScene scene;
  ASSERT_TRUE(scene.build());
  scene.clock.advance(5000);  // no frame since the build
  scene.engine->stopCapture();
  scene.engine->startCapture();  // a settings change
  scene.clock.advance(1999);
  scene.engine->watchStall();
  EXPECT_EQ(scene.provider.last->starts, 2);
  EXPECT_FALSE(scene.engine->stall.stalled());
}

}  // namespace
