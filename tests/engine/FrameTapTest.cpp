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
  void soundMade(Sound sound, float, std::uint32_t tick) override { sounds.push_back({sound, tick}); }
  struct Shown {
    const FieldSurface* field;
    std::uint32_t tick;
    bool locked;
    bool operator==(const Shown&) const = default;
  };
  std::vector<Size> layouts;
  std::vector<Shown> shown;
  std::vector<std::pair<Sound, std::uint32_t>> sounds;
};

}  // namespace

// The tap hears of each layout, gets the field of each stepped frame under drawLock at the
// frame's tick, and each sound at its tick; a dropped frame is not shown. How many swishes a
// basket makes is the sound tests' to count.
TEST(FrameTap, SeesLayoutsSteppedFramesAndSounds) {
  EngineScene s;
  NotingTap tap;
  GameEngine& e = *s.engine;
  e.frameTap = &tap;
  ASSERT_TRUE(s.build());
  EXPECT_EQ(tap.layouts, (std::vector<Size>{{e.court.fieldWidth, e.court.fieldHeight}}));
  s.dropThroughRightRing();
  s.play(20);
  std::vector<std::uint8_t> wrongSize(10);
  e.onFrame(0, wrongSize.data(), wrongSize.size());
  ASSERT_EQ(tap.shown.size(), 20u);
  for (std::uint32_t n = 0; n < 20; ++n)
    EXPECT_EQ(tap.shown[n], (NotingTap::Shown{&s.surface, 100000u + 33u * (n + 1), true})) << n;
  const auto swish = std::find_if(tap.sounds.begin(), tap.sounds.end(),
                                  [](const auto& made) { return made.first == Sound::Swish2; });
  ASSERT_NE(swish, tap.sounds.end());
  EXPECT_TRUE(swish->second > 100000u && swish->second <= 100000u + 33u * 20u) << swish->second;
}
