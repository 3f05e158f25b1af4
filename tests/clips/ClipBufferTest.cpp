#include "clips/ClipBuffer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <tuple>

#include "clips/ClipReader.h"
#include "platform/DrawLock.h"
#include "platform/MemorySurface.h"

namespace {

constexpr double fps = 30.0;
constexpr int fieldWidth = 321;  // odd on purpose: the clip is cut to even sides
constexpr int fieldHeight = 241;

// Frame n is shown at trunc(n × 1000 / fps) ms, as the headless game delivers them.
std::uint32_t frameTick(int n) { return static_cast<std::uint32_t>(n * 1000.0 / fps); }

std::filesystem::path freshFolder(const char* name) {
  const auto folder = std::filesystem::path(testing::TempDir()) / "clips" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(folder))
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
  return files;
}

// A game seen by a clip buffer: frames 0 … frames − 1 at 30 fps, a swish at each frame of
// `swishes`, the encoder caught up after every frame so that none is left out.
struct Scene {
  explicit Scene(WriteCall write = ::write)
      : buffer([this](const ClipResult& r) {
          std::lock_guard lock(mutex);
          results.push_back(r);
        }, write) {
    field.create(fieldWidth, fieldHeight);
    buffer.fieldLaidOut(fieldWidth, fieldHeight);
  }
  // Each frame a shade of its own, so that the encoder has pictures to tell apart.
  void paint(int n) {
    std::fill(picture.begin(), picture.end(), static_cast<std::uint8_t>(n * 7));
    field.putImage(picture.data(), fieldWidth, fieldHeight, 0, 0, fieldWidth, fieldHeight, 0, 0);
  }
  void play(int from, int to, const std::vector<int>& swishes = {}) {
    for (int n = from; n < to; ++n) {
      for (int s : swishes)
        if (s == n) buffer.soundMade(Sound::Swish2, 1.0f, frameTick(n));
      {
        DrawLockGuard lock;  // as the frame step draws and hands the field over
        paint(n);
        buffer.fieldShown(field, frameTick(n));
      }
      buffer.flush();
    }
  }
  std::vector<ClipResult> finished() {
    buffer.finish();
    std::lock_guard lock(mutex);
    return results;
  }
  // Saves the last seconds into `folder` and reads the clip back.
  ClipContents savedLast(const std::filesystem::path& folder) {
    buffer.saveLast(folder);
    const std::vector<ClipResult> saved = finished();
    if (saved.size() != 1 || !saved[0].problem.empty()) {
      ADD_FAILURE() << "no clip saved";
      return {};
    }
    EXPECT_EQ(std::tuple(saved[0].path.parent_path(), saved[0].path.extension(), buffer.savedCount()),
              std::tuple(folder, std::filesystem::path(".mp4"), 1ul));
    return readClip(saved[0].path);
  }

  MemorySurface field;
  std::vector<std::uint8_t> picture =
      std::vector<std::uint8_t>(std::size_t(fieldWidth) * fieldHeight * pixelBytes);
  std::mutex mutex;
  std::vector<ClipResult> results;
  ClipBuffer buffer;
};

TEST(ClipBuffer, SavedClipHoldsTheLastTenSecondsWithTheirSounds) {
  const auto folder = freshFolder("last");
  Scene scene;
  scene.play(0, 445, {360});  // 14.8 s, a swish at 12 s
  const ClipContents clip = scene.savedLast(folder);
  ASSERT_TRUE(clip.opened);
  EXPECT_EQ(std::tuple(clip.videoCodec, clip.width, clip.height, clip.audioCodec), std::tuple("h264", 320, 240, "aac"));
  // Frames 145 (at 4833 ms, on screen at 4834 ms) to 444 (at 14800 ms, shown until
  // 14834 ms); the frames from the key frame before lead in unseen.
  ASSERT_EQ(clip.framesAt.size(), 300u);
  EXPECT_NEAR(clip.framesAt.front(), 0.0, 1e-3);
  EXPECT_NEAR(clip.videoEndS, 10.0, 1.0 / fps);
  EXPECT_NEAR(clip.audio.size() / double(clip.sampleRate), 10.0, 0.1);
  // The swish at 12 s is 7.167 s into the clip: silence before, loud after.
  EXPECT_LT(loudness(clip, 6.0, 7.1), 0.001);
  EXPECT_GT(loudness(clip, 7.2, 7.5), 0.05);
  EXPECT_EQ(scene.buffer.takeDropped(), 0ul);
}

TEST(ClipBuffer, BasketClipEndsTwoSecondsAfterTheBasket) {
  const auto folder = freshFolder("basket");
  Scene scene;
  scene.buffer.saveBaskets(folder);
  scene.play(0, 330, {275});  // a basket at 9166 ms; the clip waits for 11166 ms
  EXPECT_TRUE(filesIn(folder).empty());
  scene.play(330, 360);
  const std::vector<ClipResult> results = scene.finished();
  ASSERT_EQ(results.size(), 1u);
  ASSERT_EQ(results[0].problem, "");
  EXPECT_TRUE(results[0].basket);
  const ClipContents clip = readClip(results[0].path);
  // Frames 35 (1166 ms) to 334 (11133 ms): the basket 8 s in, the end 2 s after it.
  ASSERT_EQ(clip.framesAt.size(), 300u);
  EXPECT_NEAR(clip.videoEndS, 10.0, 1.0 / fps);
  EXPECT_LT(loudness(clip, 7.0, 7.9), 0.001);
  EXPECT_GT(loudness(clip, 8.0, 8.3), 0.05);
}

// While the encoder waits for drawLock, the game goes on: of the pictures shown meanwhile
// it takes the newest; the others are counted and left out of the clip, which, the game
// being short, starts at its first frame.
TEST(ClipBuffer, PicturesPassedOverAreCountedAndLeftOut) {
  const auto folder = freshFolder("passed");
  Scene scene;
  scene.play(0, 30);
  {
    DrawLockGuard lock;
    for (int n = 30; n < 33; ++n) {
      scene.paint(n);
      scene.buffer.fieldShown(scene.field, frameTick(n));
    }
  }
  scene.buffer.flush();
  EXPECT_EQ(scene.buffer.takeDropped(), 2u);
  EXPECT_EQ(scene.buffer.takeDropped(), 0u);
  scene.play(33, 60);
  const ClipContents clip = scene.savedLast(folder);
  EXPECT_EQ(clip.framesAt.size(), 58u);
  EXPECT_NEAR(clip.videoEndS, 2.0, 1.0 / fps);
}

// A layout can make the field anew, larger, before the encoder took its last picture: that
// picture is left out, never read into a copy of the old size.
TEST(ClipBuffer, AFieldMadeAnewBeforeItsCopyIsLeftOut) {
  Scene scene;
  scene.play(0, 10);
  {
    DrawLockGuard lock;
    scene.buffer.fieldShown(scene.field, frameTick(10));
    scene.field.create(fieldWidth * 2, fieldHeight * 2);
  }
  scene.buffer.flush();
  EXPECT_EQ(scene.buffer.takeDropped(), 1u);
  scene.buffer.fieldLaidOut(fieldWidth * 2, fieldHeight * 2);
  scene.play(11, 20);
  EXPECT_EQ(scene.buffer.takeDropped(), 0u);
}

ssize_t diskFull(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}

// A save that fails on a full disk is told with the system's reason and leaves no file
// behind, not even a temporary one. A folder that cannot be made is the headless runner's.
TEST(ClipBuffer, AFailedSaveTellsTheReasonAndLeavesNoFile) {
  const auto folder = freshFolder("failed");
  Scene scene(diskFull);
  scene.play(0, 30);
  scene.buffer.saveLast(folder);
  const std::vector<ClipResult> results = scene.finished();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_NE(results[0].problem.find("No space left on device"), std::string::npos) << results[0].problem;
  EXPECT_EQ(scene.buffer.savedCount(), 0u);
  EXPECT_TRUE(filesIn(folder).empty());
}

TEST(ClipBuffer, SaveBeforeAnyFrameIsToldNotWritten) {
  const auto folder = freshFolder("nothing");
  Scene scene;
  scene.buffer.saveLast(folder);
  const std::vector<ClipResult> results = scene.finished();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].problem, "nothing has been recorded yet");
  EXPECT_TRUE(filesIn(folder).empty());
}

// Two saves in flight in one second reserve names of their own.
TEST(ClipBuffer, SavesInOneSecondDoNotOverwriteEachOther) {
  const auto folder = freshFolder("twice");
  Scene scene;
  scene.play(0, 60);
  scene.buffer.saveLast(folder);
  scene.buffer.saveLast(folder);
  const std::vector<ClipResult> results = scene.finished();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_NE(results[0].path, results[1].path);
  EXPECT_EQ(filesIn(folder).size(), 2u);
}

}  // namespace
