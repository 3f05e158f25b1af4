#include "clips/ClipHistory.h"

#include <gtest/gtest.h>

#include "clips/ClipNames.h"
#include "clips/SoundMix.h"
#include "clips/SpscRing.h"

namespace {

// Frames every 100 ms from 0, a key frame every `keyEvery`, each of `size` bytes.
ClipHistory historyOf(int frames, int keyEvery, std::int64_t keptMs = 1000,
                      std::size_t byteLimit = 1 << 20, std::size_t size = 10) {
  ClipHistory history(keptMs, byteLimit);
  for (int n = 0; n < frames; ++n)
    history.addFrame({n * 100, n % keyEvery == 0,
                      std::make_shared<const std::vector<std::uint8_t>>(size, std::uint8_t(n))});
  return history;
}

std::vector<std::int64_t> timesOf(const ClipCut& clip) {
  std::vector<std::int64_t> times;
  for (const EncodedFrame& f : clip.frames) times.push_back(f.ms);
  return times;
}

TEST(ClipHistory, CutsStartAtAKeyFrameAndShowFromTheWantedStart) {
  struct Row {
    const char* name;
    int frames;
    std::int64_t endMs, lengthMs, startMs, clipEndMs, firstMs, lastMs;
  } rows[] = {
      // keys at 0, 400, 800 …; frames up to 1900
      {"start on a key frame", 20, 2000, 1200, 800, 2000, 800, 1900},
      {"lead-in from the key frame before", 20, 2000, 1000, 1000, 2000, 800, 1900},
      {"on screen at the start", 20, 1450, 1000, 400, 1450, 400, 1400},
      {"longer than the history", 5, 500, 5000, 0, 500, 0, 400},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ClipHistory history = historyOf(row.frames, 4, 100000);
    const std::optional<ClipCut> clip = history.cut(row.endMs, row.lengthMs);
    ASSERT_TRUE(clip);
    EXPECT_EQ(std::tuple(clip->startMs, clip->endMs, clip->frames.front().ms, clip->frames.front().key,
                         clip->frames.back().ms),
              std::tuple(row.startMs, row.clipEndMs, row.firstMs, true, row.lastMs));
  }
}

TEST(ClipHistory, KeepsWholeGroupsBackToTheLongestClipsStart) {
  // Keys every 400 ms, 1000 ms kept: at 1900 ms a clip from 900 ms needs the key at 800.
  const ClipHistory history = historyOf(20, 4);
  const std::optional<ClipCut> clip = history.cut(2000, 20000);
  ASSERT_TRUE(clip);
  EXPECT_EQ(timesOf(*clip).front(), 800);
  EXPECT_EQ(history.bytes(), 12u * 10u);
}

TEST(ClipHistory, ByteLimitDropsOldGroupsFirst) {
  const ClipHistory history = historyOf(20, 4, 100000, 75);
  EXPECT_LE(history.bytes(), 75u);
  const std::optional<ClipCut> clip = history.cut(2000, 100000);
  ASSERT_TRUE(clip);
  EXPECT_EQ(timesOf(*clip).front(), 1600);  // the newest group alone fits
}

TEST(ClipHistory, NothingToCutWithoutAKeyFrameInTime) {
  EXPECT_FALSE(ClipHistory(1000, 100).cut(1000, 1000));
  EXPECT_FALSE(historyOf(20, 4).cut(500, 100));  // those frames are forgotten
  EXPECT_FALSE(historyOf(3, 100).cut(0, 1000));  // ends before the first frame
}

TEST(ClipHistory, SoundsStillHeardAtTheStartComeAlong) {
  ClipHistory history = historyOf(20, 4, 100000);
  for (std::int64_t at : {-5000, 200, 1500, 2500}) history.addSound({Sound::Rim, 1.0f, at});
  const std::optional<ClipCut> clip = history.cut(2000, 1000);
  ASSERT_TRUE(clip);
  ASSERT_EQ(clip->sounds.size(), 2u);
  EXPECT_EQ(std::pair(clip->sounds[0].ms, clip->sounds[1].ms), std::pair(200l, 1500l));
}

TEST(SoundMix, SoundsAreAddedAtTheirTimeAndVolume) {
  const std::vector<float> alone = mixSounds({{Sound::Rim, 1.0f, 0}}, 0, 1000);
  ASSERT_EQ(alone.size(), 44100u);
  const std::vector<float> mixed =
      mixSounds({{Sound::Rim, 0.5f, 100}, {Sound::Rim, 0.5f, -100}}, 0, 1000);
  // 4410 samples late at half volume, plus the earlier one from 4410 samples into it.
  for (std::size_t i : {0u, 100u, 2000u}) EXPECT_FLOAT_EQ(mixed[i], 0.5f * alone[i + 4410]);
  for (std::size_t i : {4410u, 5000u}) EXPECT_FLOAT_EQ(mixed[i], 0.5f * alone[i - 4410] + 0.5f * alone[i + 4410]);
  const std::vector<float> loud = mixSounds(std::vector<SoundMark>(8, {Sound::Swish2, 1.0f, 0}), 0, 500);
  EXPECT_LE(*std::max_element(loud.begin(), loud.end()), 1.0f);
  EXPECT_EQ(*std::max_element(loud.begin(), loud.end()), 1.0f);
}

TEST(ClipNames, NamedByTimeThenNumbered) {
  const std::time_t when = 1'800'000'000;
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "swishcam-%Y%m%d-%H%M%S", &local);
  int asked = 0;
  const auto path = clipPath("/v", when, [&](const std::filesystem::path&) { return ++asked < 3; });
  EXPECT_EQ(path, std::filesystem::path("/v") / (std::string(stamp) + "-3.mp4"));
  EXPECT_EQ(clipPath("/v", when, [](const std::filesystem::path&) { return false; }),
            std::filesystem::path("/v") / (std::string(stamp) + ".mp4"));
}

// A full ring refuses the new element and keeps the old ones in order.
TEST(SpscRing, FullRingRefusesAndKeepsOrder) {
  SpscRing<int, 4> ring;
  for (int n = 1; n <= 3; ++n) {
    int* place = ring.reserve();
    ASSERT_NE(place, nullptr);
    *place = n;
    ring.commit();
  }
  EXPECT_EQ(ring.reserve(), nullptr);
  for (int n = 1; n <= 3; ++n) {
    ASSERT_NE(ring.front(), nullptr);
    EXPECT_EQ(*ring.front(), n);
    ring.release();
  }
  EXPECT_EQ(ring.front(), nullptr);
  EXPECT_NE(ring.reserve(), nullptr);
}

}  // namespace
