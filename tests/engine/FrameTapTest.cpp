#include <gtest/gtest.h>

#include "platform/DrawLock.h"
#include "support/EngineScene.h"

namespace {

// Notes every call, and whether drawLock was held during fieldShown.
struct NotingTap final : FrameTap {
  void fieldLaidOut(int width, int height) override { layouts.push_back({width, height}); }
  void fieldShown(const FieldSurface& field, std::uint32_t tick) override {
    const bool free = drawLock.try_acquire();
    if (free) drawLock.release();
    shown.push_back({&field, tick, !free});
  }
  void soundMade(Sound sound, float volume, std::uint32_t tick) override {
    sounds.push_back({sound, volume, tick});
  }
  struct Shown {
    const FieldSurface* field;
    std::uint32_t tick;
    bool locked;
  };
  struct Made {
    Sound sound;
    float volume;
    std::uint32_t tick;
  };
  std::vector<Size> layouts;
  std::vector<Shown> shown;
  std::vector<Made> sounds;
};

}  // namespace

// The tap hears of each layout, gets the field of each stepped frame under drawLock at the
// frame's tick, and each sound at its tick; a dropped frame is not shown.
TEST(FrameTap, SeesLayoutsSteppedFramesAndSounds) {
  EngineScene s;
  NotingTap tap;
  GameEngine& e = *s.engine;
  e.frameTap = &tap;
  ASSERT_TRUE(s.build());
  ASSERT_EQ(tap.layouts.size(), 1u);
  EXPECT_EQ(tap.layouts[0].width, e.court.fieldWidth);
  EXPECT_EQ(tap.layouts[0].height, e.court.fieldHeight);

  const Rect ring = e.court.rightRingRect;  // a ball falling through the right ring
  e.ball = Ball{};
  e.ball.x = (ring.left + ring.right) / 2;
  e.ball.y = ring.top - 40;
  e.ball.vy = 300;
  e.ball.shotX = e.court.fieldWidth - 1;
  for (int n = 0; n < 20; ++n) {
    s.clock.advance(33);
    s.deliverUniform(90);
  }
  std::vector<std::uint8_t> wrongSize(10);
  e.onFrame(0, wrongSize.data(), wrongSize.size());

  ASSERT_EQ(tap.shown.size(), 20u);
  for (std::size_t n = 0; n < tap.shown.size(); ++n) {
    EXPECT_EQ(tap.shown[n].field, &s.surface);
    EXPECT_EQ(tap.shown[n].tick, 100000u + 33u * (n + 1));
    EXPECT_TRUE(tap.shown[n].locked);
  }
  ASSERT_EQ(e.match.leftScore, 2);
  std::vector<Sound> swishes;
  for (const NotingTap::Made& m : tap.sounds)
    if (m.sound == Sound::Swish2) {
      swishes.push_back(m.sound);
      EXPECT_GT(m.tick, 100000u);
      EXPECT_LE(m.tick, 100000u + 33u * 20u);
    }
  EXPECT_EQ(swishes.size(), 1u);
}
