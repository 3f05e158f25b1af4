#include "engine/SettingsFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cmath>

#include "support/EngineScene.h"

static GameSettings sample() {
  GameSettings s{{1, "USB Camera: HD Webcam"}, {12, 7, 4}, {1500.0, 42, 157, 300, 1}, {}};
  for (int i = 0; i < 10; ++i) s.topTen[i] = {5 * (i + 1), 0x0201 * (i + 1), 100 - i, "Player"};
  return s;
}

TEST(SettingsFile, TheLayoutIsLittleEndianAt360Bytes) {
  const SettingsBytes b = encodeSettings(sample());
  for (auto [at, value] : {std::pair{0, 1}, {3, 0}, {4, 12}, {5, 7}, {6, 4}, {7, 1}, {8, 0},
                           {13, 0x70}, {14, 0x97}, {15, 0x40},  // 1500.0 = 0x4097700000000000
                           {16, 42}, {19, 0}, {20, 157}, {24, 0x2C}, {25, 0x01}, {27, 0}, {39, 0},
                           {40, 5}, {43, 0}, {44, 0x01}, {45, 0x02}, {48, 100}, {52, 'P'},
                           {58, 0}, {64, 10}, {68, 0x02}, {69, 0x04}, {72, 99}, {76, 'P'},
                           {280, 'U'}, {300, 'm'}, {301, 0}, {359, 0}})
    EXPECT_EQ(b[at], value) << "byte " << at;
  SettingsBytes full{};  // texts without a NUL end at their field
  std::fill(full.begin() + 52, full.begin() + 64, 'x');
  std::fill(full.begin() + 280, full.end(), 'y');
  EXPECT_EQ(decodeSettings(full).topTen[0].nameView(), std::string(12, 'x'));
  EXPECT_EQ(decodeSettings(full).video.videoDeviceName, std::string(80, 'y'));
}

// Each value the program could never write falls back to its default alone; the limits it
// can write stay, as do unknown skins (the noise skin) and 0 moves per frame.
TEST(SettingsFile, ImpossibleValuesFallBackOneByOne) {
  auto read = [](const GameSettings& s) { return decodeSettings(encodeSettings(s)); };
  GameSettings bad{{7, "Cam"}, {0, 11, 6}, {NAN, 31, 29, 2001, 9}, sample().topTen};
  bad.topTen[2].gameTime = -1;
  bad.topTen[3].points = 0x7FFFFFFF;
  bad.topTen[4].gameTime = 0;  // points without minutes would divide by zero
  GameSettings expected{{1, "Cam"}, {5, 2, 0}, {600.0, 30, 112, 200, 9}, sample().topTen};
  expected.topTen[2] = expected.topTen[3] = expected.topTen[4] = TopTenEntry{};
  EXPECT_EQ(encodeSettings(read(bad)), encodeSettings(expected));
  const GameSettings limits{{0, ""}, {255, 10, 5}, {100000.0, 100, 30, 2000, 255}, {}};
  EXPECT_EQ(encodeSettings(read(limits)), encodeSettings(limits));
}

// The engine takes its parts from the file at start. Files of other lengths are the table
// below's; what it writes, GameChanges' and DemoPlay's.
TEST(SettingsFile, TheEngineTakesItsPartsFromTheFile) {
  EngineScene scene;
  const auto path = scene.folder.file("mine.prm");
  ASSERT_TRUE(writeSettingsFile(path, sample()).ok());
  const GameEngine engine(scene.clock, scene.surface, scene.catalog, path);
  EXPECT_EQ(std::tuple(engine.ball.radius, engine.court.basketSize, engine.court.ringHeight),
            std::tuple(42, 157, 300));
  EXPECT_EQ(encodeSettings(engine.settings()), encodeSettings(sample()));
}

namespace {

// What stands at the settings path before the game starts.
enum class Found { Bytes, NamedPipe };

std::string sampleBytes(std::size_t length) {
  const SettingsBytes valid = encodeSettings(sample());
  std::string bytes(valid.begin(), valid.end());
  bytes.resize(length, '\n');
  return bytes;
}

void place(Found found, const std::filesystem::path& path, std::size_t length = 360) {
  if (found == Found::Bytes) std::ofstream(path, std::ios::binary) << sampleBytes(length);
  if (found == Found::NamedPipe) ::mkfifo(path.c_str(), 0600);
}

ssize_t fullDisk(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}

}  // namespace

// A file that cannot be used is kept aside (never over an earlier one), or left alone when
// it is no regular file; either way the game starts from defaults and says why.
TEST(SettingsFile, AnUnusableFileIsKeptAsideOrLeftAloneAndNeverWrittenOver) {
  struct Row { Found found; int length; bool earlierAside; const char* reason; const char* keptAs; };
  const Row rows[] = {{Found::Bytes, 359, false, "Not 360", "my.prm.unreadable"},
                      {Found::Bytes, 361, false, "Not 360", "my.prm.unreadable"},
                      {Found::Bytes, 361, true, "Not 360", "my.prm.unreadable1"},
                      {Found::NamedPipe, 0, false, "Not a regular file", nullptr}};
  for (const Row& r : rows) {
    EngineScene scene;
    const auto path = scene.folder.file("my.prm");
    place(r.found, path, r.length);
    if (r.earlierAside) std::ofstream(scene.folder.file("my.prm.unreadable")) << "old";
    const auto type = std::filesystem::symlink_status(path).type();
    auto engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
    EXPECT_EQ(engine->settings().timing.periodMinutes, 5);
    const std::string said = engine->settingsLoad.message;
    EXPECT_NE(said.find(r.reason), std::string::npos) << said;
    engine.reset();
    if (r.keptAs != nullptr) {
      EXPECT_NE(said.find(scene.folder.file(r.keptAs).string()), std::string::npos) << said;
      EXPECT_EQ(readFile(scene.folder.file(r.keptAs)), sampleBytes(r.length));
      EXPECT_EQ(std::filesystem::file_size(path), settingsFileSize);  // a fresh file at exit
    } else {
      EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
    }
    if (r.earlierAside) { EXPECT_EQ(readFile(scene.folder.file("my.prm.unreadable")).size(), 3u); }
  }
}

TEST(SettingsFile, AFailedSaveIsReportedAndLeavesWhatWasThere) {
  // A missing folder or a folder by the file's name: the window's and runner's tests.
  struct Row { Found found; WriteCall write; const char* reason; };
  const Row rows[] = {{Found::Bytes, fullDisk, "No space left on device"},
                      {Found::NamedPipe, ::write, "Not a regular file"}};
  for (const Row& r : rows) {
    TemporaryFolder folder;
    const auto path = folder.file("my.prm");
    place(r.found, path);
    const SettingsReport report = writeSettingsFile(path, GameSettings{}, r.write);
    EXPECT_NE(report.message.find(path.string()), std::string::npos) << report.message;
    EXPECT_NE(report.message.find(r.reason), std::string::npos) << report.message;
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path))
      files += entry.is_regular_file();
    EXPECT_EQ(files, r.found == Found::Bytes ? 1u : 0u) << r.reason;  // no temporary stays
    if (r.found == Found::Bytes) { EXPECT_EQ(readFile(path), sampleBytes(360)); }
  }
}

TEST(SettingsFile, ALinkIsSavedThroughAndALinkAtTheTemporaryNameIsNeverFollowed) {
  TemporaryFolder folder;
  std::filesystem::create_directory(folder.file("real"));
  const auto target = folder.file("real/Swishcam.prm");
  const auto link = folder.file("Swishcam.prm");
  ASSERT_TRUE(writeSettingsFile(target, GameSettings{}).ok());
  std::filesystem::create_symlink("real/Swishcam.prm", link);
  ASSERT_TRUE(writeSettingsFile(link, sample()).ok());
  EXPECT_EQ(std::filesystem::read_symlink(link), "real/Swishcam.prm");
  EXPECT_EQ(readSettingsFile(target)->topTen, sample().topTen);

  const auto planted = folder.file("real/Swishcam.prm.tmp");
  std::ofstream(folder.file("victim.txt")) << "v";
  std::filesystem::create_symlink("../victim.txt", planted);
  ASSERT_TRUE(writeSettingsFile(target, GameSettings{}).ok());
  EXPECT_EQ(readFile(folder.file("victim.txt")), "v");
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
  EXPECT_EQ(readSettingsFile(target)->topTen, GameSettings{}.topTen);
}
