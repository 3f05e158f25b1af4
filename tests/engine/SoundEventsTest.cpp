#include <gtest/gtest.h>
#include <cmath>
#include <span>
#include <utility>

#include "audio/SoundSynth.h"
#include "support/EngineScene.h"

namespace {

std::uint64_t heard(const GameEngine& e, Sound s) { return e.stats.sounds[static_cast<int>(s)]; }

struct SoundScene : EngineScene {
  SoundScene() { EXPECT_TRUE(build()); }
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
  s.dropThroughRightRing();
  s.play(20);
  EXPECT_EQ(std::tuple(e.match.leftScore, heard(e, Sound::Swish2), e.stats.baskets), std::tuple(2, 1u, 1u));

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

using Samples = std::span<const std::int16_t>;

Samples between(const std::vector<std::int16_t>& sound, double from, double to) {
  const auto first = static_cast<std::size_t>(from * soundSampleRate);
  return Samples(sound).subspan(first, std::min(sound.size(), std::size_t(to * soundSampleRate)) - first);
}

// The strongest sine from 50 to 2500 Hz in 2-Hz steps (Goertzel's filter at each frequency).
double strongestPitch(const std::vector<std::int16_t>& sound, double from, double to) {
  double bestPower = -1.0, bestHz = 0.0;
  for (double hz = 50.0; hz <= 2500.0; hz += 2.0) {
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / soundSampleRate);
    double s1 = 0.0, s2 = 0.0;
    for (std::int16_t sample : between(sound, from, to)) s2 = std::exchange(s1, sample + coefficient * s1 - s2);
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    if (power > bestPower) bestPower = power, bestHz = hz;
  }
  return bestHz;
}

double rms(const std::vector<std::int16_t>& sound, double from, double to) {
  double sum = 0.0;
  for (std::int16_t sample : between(sound, from, to)) sum += double(sample) * sample;
  return std::sqrt(sum / double(between(sound, from, to).size()));
}

// Sign changes a second: about twice the pitch for a tone, thousands for a hiss.
double crossingsPerSecond(const std::vector<std::int16_t>& sound, double from, double to) {
  const Samples samples = between(sound, from, to);
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) crossings += (samples[i - 1] < 0) != (samples[i] < 0);
  return crossings / (to - from);
}

// Each sound at its length, normalised to full scale (30000), starting without a click.
TEST(SoundSynth, EachSoundHasItsLengthAndFullScale) {
  const struct { Sound sound; double seconds; } rows[] = {
      {Sound::Bounce, 0.18}, {Sound::Rim, 0.35},      {Sound::Swish2, 0.45}, {Sound::Swish3, 0.7},
      {Sound::Computer, 0.45}, {Sound::Buzzer, 0.9}, {Sound::Fanfare, 1.6}};
  for (const auto& row : rows) {
    const std::vector<std::int16_t> samples = synthesize(row.sound);
    EXPECT_NEAR(double(samples.size()), row.seconds * soundSampleRate, 1.0) << int(row.sound);
    int peak = 0;
    for (std::int16_t v : samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_EQ(peak, 30000) << int(row.sound);
    EXPECT_LT(std::abs(samples.front()), 300) << int(row.sound);
  }
}

// The notes each sound plays, within 2 %: the computer's two-note call, the buzzer's low G,
// the rim's lowest partial, the fanfare's rising C major chord, the chime of a 3-point swish.
TEST(SoundSynth, EachSoundPlaysItsNotesWhereTheyFall) {
  const struct { Sound sound; double from, to, hz; } rows[] = {
      {Sound::Computer, 0.02, 0.14, 440}, {Sound::Computer, 0.20, 0.40, 554},
      {Sound::Buzzer, 0.10, 0.30, 196},   {Sound::Rim, 0.00, 0.10, 523},
      {Sound::Fanfare, 0.02, 0.14, 523.25}, {Sound::Fanfare, 0.18, 0.30, 659.25},
      {Sound::Fanfare, 0.34, 0.46, 783.99}, {Sound::Fanfare, 0.52, 0.72, 1046.5},
      {Sound::Swish3, 0.32, 0.50, 1760}};
  for (const auto& row : rows)
    EXPECT_NEAR(strongestPitch(synthesize(row.sound), row.from, row.to), row.hz, row.hz * 0.02)
        << int(row.sound) << " from " << row.from << " s";
}

// A swish is a hiss, not a tone; a bounce falls in pitch and dies away; the buzzer holds its
// level and is cut in its last 50 ms.
TEST(SoundSynth, HissesGlidesAndCutsFollowTheirEnvelopes) {
  for (Sound swish : {Sound::Swish2, Sound::Swish3})
    EXPECT_GT(crossingsPerSecond(synthesize(swish), 0.04, 0.16), 5000.0) << int(swish);
  const std::vector<std::int16_t> bounce = synthesize(Sound::Bounce);
  EXPECT_GT(crossingsPerSecond(bounce, 0.01, 0.05), 1.3 * crossingsPerSecond(bounce, 0.09, 0.17));
  EXPECT_LT(rms(bounce, 0.16, 0.18), 0.1 * rms(bounce, 0.0, 0.04));
  const std::vector<std::int16_t> buzzer = synthesize(Sound::Buzzer);
  EXPECT_NEAR(rms(buzzer, 0.6, 0.8), rms(buzzer, 0.1, 0.3), 0.05 * rms(buzzer, 0.1, 0.3));
  EXPECT_LT(rms(buzzer, 0.89, 0.9), 0.3 * rms(buzzer, 0.6, 0.8));
}

TEST(SoundSynth, TheWaveHeaderIsPcm) {
  const std::vector<std::uint8_t> wav = encodeWav({1, -2}, 44100);
  EXPECT_EQ(std::vector<std::uint8_t>(wav.begin(), wav.begin() + 12),
            (std::vector<std::uint8_t>{'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E'}));
  EXPECT_EQ(wav.size(), 48u);
  EXPECT_EQ(wav[24] | wav[25] << 8 | wav[26] << 16, 44100);
  EXPECT_EQ(std::vector<std::uint8_t>(wav.end() - 4, wav.end()),
            (std::vector<std::uint8_t>{1, 0, 0xFE, 0xFF}));
}
