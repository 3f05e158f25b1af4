#include <gtest/gtest.h>

#include "audio/SoundSynth.h"
#include "support/EngineScene.h"

namespace {

std::uint64_t heard(const GameEngine& e, Sound s) { return e.stats.sounds[static_cast<int>(s)]; }

// A built 320 × 240 game whose frames, all alike, arrive every 33 ms.
struct SoundScene : EngineScene {
  SoundScene() : EngineScene({320, 240}) { EXPECT_TRUE(build()); }
  void play(int frames) {
    for (int n = 0; n < frames; ++n) {
      clock.advance(33);
      deliverUniform(90);
    }
  }
};

}  // namespace

TEST(SoundEvents, TheQueueKeepsOrderAndDropsWhenFull) {
  SoundQueue queue;
  for (std::size_t n = 0; n + 1 < SoundQueue::capacity; ++n)
    EXPECT_TRUE(queue.push({static_cast<Sound>(n % soundCount), 1.0f, {}}));
  EXPECT_FALSE(queue.push({Sound::Buzzer, 1.0f, {}}));  // one slot tells full from empty
  SoundEvent event;
  for (std::size_t n = 0; n + 1 < SoundQueue::capacity; ++n) {
    ASSERT_TRUE(queue.pop(event));
    EXPECT_EQ(event.sound, static_cast<Sound>(n % soundCount));
  }
  EXPECT_FALSE(queue.pop(event));
}

TEST(SoundEvents, ABallAtRestIsSilentAndADroppedBallBouncesOnTheFloor) {
  SoundScene s;
  Ball& ball = s.engine->ball;
  ball.x = 60;  // beside the picture, above the floor wedge
  ball.y = s.engine->court.fieldHeight - ball.radius - 1;
  ball.vx = ball.vy = ball.spin = 0;
  s.play(60);
  EXPECT_EQ(heard(*s.engine, Sound::Bounce) + heard(*s.engine, Sound::Rim), 0u);
  ball.y = 200;
  s.play(60);
  EXPECT_GE(heard(*s.engine, Sound::Bounce), 1u);
}

TEST(SoundEvents, OneSwishPerBasketOneComputerTonePerCreditOneBuzzerPerGameEnd) {
  SoundScene s;
  GameEngine& e = *s.engine;
  // A ball falling straight through the right ring's middle: player 1 scores 2.
  const Rect ring = e.court.rightRingRect;
  e.ball = Ball{};
  e.ball.x = (ring.left + ring.right) / 2;
  e.ball.y = ring.top - 40;
  e.ball.vy = 300;
  e.ball.shotX = e.court.fieldWidth - 1;  // struck in the near half
  s.play(20);
  EXPECT_EQ(e.match.leftScore, 2);
  EXPECT_EQ(heard(e, Sound::Swish2), 1u);
  EXPECT_EQ(e.stats.baskets, 1u);

  // Both sides credited at every interval; the new game restarts the clocks.
  e.applyPlayers({1, 2, 0}, "Computer", "Computer");
  s.play(1850);  // a little past a minute: one credit each, then the period's end
  EXPECT_EQ(heard(e, Sound::Computer), 2u);
  EXPECT_EQ(heard(e, Sound::Buzzer), 1u);
  SoundEvent event;
  int buzzers = 0;
  while (e.sounds.pop(event)) buzzers += event.sound == Sound::Buzzer;
  EXPECT_EQ(buzzers, 1);
}

TEST(SoundSynth, EverySoundIsItsOwnAndTheWaveHeaderIsPcm) {
  std::vector<std::vector<std::int16_t>> all;
  for (std::size_t s = 0; s < soundCount; ++s) {
    all.push_back(synthesize(static_cast<Sound>(s)));
    EXPECT_GT(all.back().size(), soundSampleRate / 10u) << s;
    for (std::size_t t = 0; t < s; ++t) EXPECT_NE(all[s], all[t]) << s << " " << t;
  }
  const std::vector<std::uint8_t> wav = encodeWav({1, -2}, 44100);
  const std::vector<std::uint8_t> head(wav.begin(), wav.begin() + 12);
  EXPECT_EQ(head, (std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E'}));
  EXPECT_EQ(wav.size(), 48u);
  EXPECT_EQ(wav[24] | wav[25] << 8 | wav[26] << 16, 44100);
  EXPECT_EQ(std::vector<std::uint8_t>(wav.end() - 4, wav.end()),
            (std::vector<std::uint8_t>{1, 0, 0xFE, 0xFF}));
}
