// Counts every allocation of this test program, so that the per-frame drawing can be shown
// to allocate nothing. The replacement only counts; it serves every other test unchanged.
#include <gtest/gtest.h>

// GCC 12 sees malloc behind the replaced operator new and free behind the replaced delete
// once they are inlined, and calls the pair mismatched although it is the replacement.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <atomic>
#include <cstdlib>
#include <new>

#include "capture/DemoCamera.h"
#include "support/EngineScene.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(FrameAllocation, DrawingAFrameAllocatesNothing) {
  EngineScene scene;
  ASSERT_EQ(scene.build(), 0);
  GameEngine& e = *scene.engine;
  scene.surface.presented.reserve(256);  // the memory surface's own record of presents
  const long before = allocations.load();
  for (int i = 0; i < 20; ++i) {
    e.ballAngle += 0.1;
    e.drawBallStep(200 + i * 10, 150 + i * 5);
    e.composeFrame(205 + i * 10, 155 + i * 5);
    e.showScore(1 + i % 2, i);
  }
  e.repaintField();
  const long during = allocations.load() - before;
  EXPECT_EQ(during, 0);
  EXPECT_GE(scene.surface.presented.size(), 61u);  // the calls did draw
}

// The whole loop of a played game: the demo camera paints a frame, the engine mirrors it,
// steps and strikes the ball over the picture, draws, credits the computer and ends the
// period.
TEST(FrameAllocation, PlayingFramesOfTheDemoCameraAllocatesNothing) {
  EngineScene scene({640, 480});
  ASSERT_EQ(scene.build(), 0);
  GameEngine& e = *scene.engine;
  e.rightIsPerson = 0;
  e.periodMinutes = 1;
  DemoCamera camera(e, {640, 480}, 30.0, 7);
  std::vector<std::uint8_t> frame(frameBytes(640, 480));
  scene.surface.presented.reserve(20000);
  const long before = allocations.load();
  const std::uint64_t strikesBefore = e.strikeCount;
  for (int n = 0; n < 1900 && e.gameOver == 0; ++n) {  // a minute and a bit at 30 fps
    scene.clock.advance(n % 3 == 0 ? 34 : 33);
    camera.paint(frame.data());
    e.BufferCB(0, frame.data(), static_cast<long>(frame.size()));
  }
  EXPECT_EQ(allocations.load() - before, 0);
  EXPECT_GT(e.strikeCount, strikesBefore);  // the hand did strike the ball
  EXPECT_GT(e.rightScore, 0);               // the computer was credited
  EXPECT_EQ(e.gameOver, 1u);                // and the period ended
}

TEST(FrameAllocation, TheCounterSeesAllocations) {
  const long before = allocations.load();
  { std::vector<int> counted(100); }
  EXPECT_EQ(allocations.load() - before, 1);
}

}  // namespace
