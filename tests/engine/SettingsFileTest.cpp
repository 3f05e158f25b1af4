#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <limits>
#include <random>

#include "engine/SettingsFile.h"
#include "support/EngineScene.h"

namespace {

std::vector<char> readAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path& path, const std::vector<char>& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

GameSettings sample() {
  GameSettings s;
  s.mirror = 0;
  s.periodMinutes = 12;
  s.movesPerFrame = 7;
  s.computerSkill = 4;
  s.skinIndex = 1;
  s.gravity = 1500.0;
  s.ballRadius = 42;
  s.basketSize = 157;
  s.ringHeight = 300;
  for (int i = 0; i < 10; ++i) {
    s.topTen[i].gameTime = 5 * (i + 1);
    s.topTen[i].points = 3 * i;
    s.topTen[i].score = 100 - i;
    std::string name = "Player" + std::to_string(i);
    name.copy(s.topTen[i].name, 11);
  }
  s.videoDeviceName = "USB Camera: HD Webcam";
  return s;
}

}  // namespace

TEST(SettingsFile, TheLayoutIsLittleEndianAt360Bytes) {
  const SettingsBytes b = encodeSettings(sample());
  EXPECT_EQ(b[0], 0);
  EXPECT_EQ(b[4], 12);
  EXPECT_EQ(b[5], 7);
  EXPECT_EQ(b[6], 4);
  EXPECT_EQ(b[7], 1);
  EXPECT_EQ(b[15], 0x40);  // 1500.0 = 0x4097700000000000
  EXPECT_EQ(b[14], 0x97);
  EXPECT_EQ(b[13], 0x70);
  EXPECT_EQ(b[16], 42);
  EXPECT_EQ(b[20], 157);
  EXPECT_EQ(b[24], 0x2C);
  EXPECT_EQ(b[25], 0x01);
  for (int i = 28; i < 40; ++i) EXPECT_EQ(b[i], 0) << i;
  EXPECT_EQ(b[40], 5);                 // first row's gameTime
  EXPECT_EQ(b[40 + 24 + 8], 99);       // second row's score
  EXPECT_EQ(b[40 + 12], 'P');          // first row's name
  EXPECT_EQ(b[40 + 12 + 7], 0);        // "Player0" ends with its NUL
  EXPECT_EQ(b[280], 'U');
  EXPECT_EQ(b[359], 0);
}

TEST(SettingsFile, WrittenAndReadBackGivesTheSameSettingsRowForRow) {
  TemporaryFolder folder;
  const auto path = folder.file(settingsFileName);
  ASSERT_TRUE(writeSettingsFile(path, sample()).ok());
  EXPECT_EQ(std::filesystem::file_size(path), 360u);
  std::optional<GameSettings> back = readSettingsFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->mirror, 0u);
  EXPECT_EQ(back->periodMinutes, 12);
  EXPECT_EQ(back->movesPerFrame, 7);
  EXPECT_EQ(back->computerSkill, 4);
  EXPECT_EQ(back->skinIndex, 1);
  EXPECT_EQ(back->gravity, 1500.0);
  EXPECT_EQ(back->ballRadius, 42);
  EXPECT_EQ(back->basketSize, 157);
  EXPECT_EQ(back->ringHeight, 300);
  EXPECT_EQ(back->topTen, sample().topTen);
  EXPECT_EQ(back->videoDeviceName, "USB Camera: HD Webcam");
}

TEST(SettingsFile, TextsWithoutNulEndAtTheirField) {
  SettingsBytes b = encodeSettings(GameSettings{});
  for (int i = 0; i < 12; ++i) b[40 + 12 + i] = 'x';
  for (int i = 280; i < 360; ++i) b[i] = 'y';
  GameSettings s = decodeSettings(b);
  EXPECT_EQ(s.topTen[0].nameView(), std::string(11, 'x'));  // kept to the 11 a row can hold
  EXPECT_EQ(s.videoDeviceName, std::string(79, 'y'));
}

TEST(SettingsFile, TheEngineStartsWithDefaultsAndWritesAFileAtExit) {
  EngineScene scene;
  const auto path = scene.folder.file("Swishcam.prm");
  GameEngine& e = *scene.engine;
  EXPECT_EQ(e.mirror, 1u);
  EXPECT_EQ(e.periodMinutes, 5);
  EXPECT_EQ(e.movesPerFrame, 2);
  EXPECT_EQ(e.computerSkill, 0);
  EXPECT_EQ(e.skinIndex, 3);
  EXPECT_EQ(e.gravity, 600.0);
  EXPECT_EQ(e.ballRadius, 30);
  EXPECT_EQ(e.basketSize, 112);
  EXPECT_EQ(e.ringHeight, 200);
  EXPECT_EQ(e.videoDeviceName, "");
  scene.build();
  EXPECT_EQ(e.videoDeviceName, "Test camera");
  EXPECT_FALSE(std::filesystem::exists(path));  // nothing is written while the game runs
  scene.engine.reset();
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(readSettingsFile(path)->videoDeviceName, "Test camera");
}

// What stands at the settings path before the game starts.
enum class Found { Nothing, Bytes, NamedPipe, Folder };

void place(Found found, const std::filesystem::path& path, const std::vector<char>& bytes) {
  if (found == Found::Bytes) writeAll(path, bytes);
  if (found == Found::NamedPipe) ::mkfifo(path.c_str(), 0600);
  if (found == Found::Folder) std::filesystem::create_directory(path);
}

std::vector<char> sampleBytes(std::size_t length) {
  const SettingsBytes valid = encodeSettings(sample());
  std::vector<char> bytes(valid.begin(), valid.end());
  bytes.resize(length, '\n');
  return bytes;
}

struct Unusable {
  const char* what;
  Found found;
  int length;            // bytes of a sample file, for Found::Bytes
  bool earlierAside;     // a file kept aside by an earlier run is already there
  const char* reason;    // in the message
  const char* keptAs;    // where the file goes, or nullptr when it stays
};

void PrintTo(const Unusable& c, std::ostream* out) { *out << c.what; }

class SettingsFileUnusable : public testing::TestWithParam<Unusable> {};

TEST_P(SettingsFileUnusable, IsKeptAsideOrLeftAloneAndNeverWrittenOver) {
  const Unusable& c = GetParam();
  EngineScene scene;
  const auto path = scene.folder.file("my.prm");
  const std::vector<char> bytes = sampleBytes(c.length);
  place(c.found, path, bytes);
  if (c.earlierAside) writeAll(scene.folder.file("my.prm.unreadable"), {'o', 'l', 'd'});
  const auto type = std::filesystem::symlink_status(path).type();

  auto engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
  EXPECT_EQ(engine->periodMinutes, 5);
  const std::string& said = engine->settingsLoad.message;
  EXPECT_NE(said.find(path.string()), std::string::npos) << said;
  EXPECT_NE(said.find(c.reason), std::string::npos) << said;
  engine.reset();
  if (c.keptAs != nullptr) {
    EXPECT_NE(said.find(scene.folder.file(c.keptAs).string()), std::string::npos) << said;
    EXPECT_EQ(readAll(scene.folder.file(c.keptAs)), bytes);
    EXPECT_EQ(std::filesystem::file_size(path), settingsFileSize);  // a fresh file at exit
  } else {
    EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
  }
  if (c.earlierAside) {
    EXPECT_EQ(readAll(scene.folder.file("my.prm.unreadable")), (std::vector<char>{'o', 'l', 'd'}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, SettingsFileUnusable,
    testing::Values(
        Unusable{"one_byte_appended", Found::Bytes, 361, false, "Not 360", "my.prm.unreadable"},
        Unusable{"one_byte_short", Found::Bytes, 359, false, "Not 360", "my.prm.unreadable"},
        Unusable{"empty", Found::Bytes, 0, false, "Not 360", "my.prm.unreadable"},
        Unusable{"earlier_one_kept", Found::Bytes, 361, true, "Not 360", "my.prm.unreadable1"},
        Unusable{"named_pipe", Found::NamedPipe, 0, false, "Not a regular file", nullptr},
        Unusable{"folder", Found::Folder, 0, false, "Is a directory", nullptr}),
    [](const testing::TestParamInfo<Unusable>& info) { return std::string(info.param.what); });

// Where and how a save fails.
struct FailedSave {
  const char* what;
  const char* file;      // the settings path in the test's folder
  Found found;           // what stands there: a previous settings file, a pipe, a folder
  WriteCall write;
  const char* reason;    // the system's, in the message
};

void PrintTo(const FailedSave& c, std::ostream* out) { *out << c.what; }

class SettingsFileFailedSave : public testing::TestWithParam<FailedSave> {};

TEST_P(SettingsFileFailedSave, IsReportedAndLeavesWhatWasThere) {
  const FailedSave& c = GetParam();
  TemporaryFolder folder;
  const auto path = folder.file(c.file);
  place(c.found, path, sampleBytes(settingsFileSize));
  const auto type = std::filesystem::symlink_status(path).type();
  const SettingsReport report = writeSettingsFile(path, GameSettings{}, c.write);
  EXPECT_NE(report.message.find(path.string()), std::string::npos) << report.message;
  EXPECT_NE(report.message.find(c.reason), std::string::npos) << report.message;
  EXPECT_EQ(std::filesystem::symlink_status(path).type(), type);
  if (c.found == Found::Bytes) {
    EXPECT_EQ(readAll(path), sampleBytes(settingsFileSize));
  }
  std::size_t left = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path))
    left += entry.is_regular_file();
  EXPECT_EQ(left, c.found == Found::Bytes ? 1u : 0u);  // no temporary file stays behind
}

ssize_t fullDisk(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, SettingsFileFailedSave,
    testing::Values(
        FailedSave{"full_disk", "my.prm", Found::Bytes, fullDisk, "No space left on device"},
        FailedSave{"folder_named_like_the_file", "my.prm", Found::Folder, ::write, "Is a directory"},
        FailedSave{"named_pipe", "my.prm", Found::NamedPipe, ::write, "Not a regular file"},
        FailedSave{"missing_parent_folder", "missing/Swishcam.prm", Found::Nothing, ::write,
                   "No such file or directory"}),
    [](const testing::TestParamInfo<FailedSave>& info) { return std::string(info.param.what); });

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
  writeAll(folder.file("victim.txt"), {'v'});
  std::filesystem::create_symlink("../victim.txt", planted);
  ASSERT_TRUE(writeSettingsFile(target, GameSettings{}).ok());
  EXPECT_EQ(readAll(folder.file("victim.txt")), std::vector<char>{'v'});
  EXPECT_TRUE(std::filesystem::is_symlink(planted));
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
  EXPECT_EQ(readSettingsFile(target)->topTen, GameSettings{}.topTen);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("real")),
                          std::filesystem::directory_iterator()), 2);
}

TEST(SettingsFile, ValuesTheProgramCouldNeverWriteFallBackOneByOne) {
  GameSettings s = sample();
  s.mirror = 7;
  s.periodMinutes = 0;
  s.movesPerFrame = 11;
  s.computerSkill = 6;
  s.skinIndex = 9;  // stays: selects the noise skin
  s.gravity = std::numeric_limits<double>::quiet_NaN();
  s.ballRadius = 31;
  s.basketSize = -5;
  s.ringHeight = 1 << 30;
  s.topTen[2].gameTime = -1;
  s.topTen[3].points = std::numeric_limits<std::int32_t>::max();
  s.topTen[4].gameTime = 0;  // points without minutes would divide by zero later
  GameSettings d = decodeSettings(encodeSettings(s));
  const GameSettings defaults;
  EXPECT_EQ(d.mirror, defaults.mirror);
  EXPECT_EQ(d.periodMinutes, defaults.periodMinutes);
  EXPECT_EQ(d.movesPerFrame, defaults.movesPerFrame);
  EXPECT_EQ(d.computerSkill, defaults.computerSkill);
  EXPECT_EQ(d.skinIndex, 9);
  EXPECT_EQ(d.gravity, defaults.gravity);
  EXPECT_EQ(d.ballRadius, defaults.ballRadius);
  EXPECT_EQ(d.basketSize, defaults.basketSize);
  EXPECT_EQ(d.ringHeight, defaults.ringHeight);
  EXPECT_EQ(d.topTen[2], TopTenEntry{});
  EXPECT_EQ(d.topTen[3], TopTenEntry{});
  EXPECT_EQ(d.topTen[4], TopTenEntry{});
  EXPECT_EQ(d.topTen[5], sample().topTen[5]);

  s = sample();
  s.movesPerFrame = 0;  // one step per frame: harmless, kept
  s.gravity = -600.0;
  s.ballRadius = 0;
  EXPECT_EQ(decodeSettings(encodeSettings(s)).movesPerFrame, 0);
  EXPECT_EQ(decodeSettings(encodeSettings(s)).gravity, 600.0);
  EXPECT_EQ(decodeSettings(encodeSettings(s)).ballRadius, 30);
}

TEST(SettingsFile, AnyHostileFileLeavesTheEngineSafeToPlay) {
  std::mt19937 random(12345);
  for (int trial = 0; trial < 40; ++trial) {
    EngineScene scene;
    const auto path = scene.folder.file("Swishcam.prm");
    std::vector<char> bytes(360);
    for (char& b : bytes) b = static_cast<char>(random());
    writeAll(path, bytes);
    scene.engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
    GameEngine& e = *scene.engine;
    ASSERT_TRUE(std::isfinite(e.gravity) && e.gravity > 0);
    ASSERT_TRUE(e.ballRadius > 0 && e.ballRadius % 2 == 0);
    ASSERT_GT(e.periodMinutes, 0);
    ASSERT_EQ(scene.build(), 0);
    for (int f = 0; f < 5; ++f) {
      scene.clock.advance(33);
      scene.deliverUniform(static_cast<std::uint8_t>(random()));
    }
    e.leftScore = 3;
    e.onFrameEvent(2, nullptr);  // records into a table read from the file
    EXPECT_TRUE(std::isfinite(e.ballX) && std::isfinite(e.ballY));
  }
}

TEST(SettingsFile, AnUnwritableProgramFolderSendsTheSettingsToTheUserConfiguration) {
  const std::filesystem::path beside = "/usr/bin/Swishcam.prm";
  EXPECT_EQ(chooseSettingsPath(beside, true, "/cfg", "/home/ann"), beside);
  EXPECT_EQ(chooseSettingsPath(beside, false, "/cfg", "/home/ann"), "/cfg/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, "/home/ann"),
            "/home/ann/.config/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, "relative", "/home/ann"),
            "/home/ann/.config/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, nullptr), beside);
}
