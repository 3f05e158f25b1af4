#include "engine/SettingsFile.h"

#include <cmath>
#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "support/EngineScene.h"

namespace {

GameSettings sample() {
  GameSettings s{1, 12, 7, 4, 1, 1500.0, 42, 157, 300, {}, "USB Camera: HD Webcam"};
  for (int i = 0; i < 10; ++i) s.topTen[i] = {5 * (i + 1), 0x0201 * (i + 1), 100 - i, "Player"};
  return s;
}

// A settings file of the given bytes read by a new engine.
void startWith(EngineScene& scene, const std::vector<char>& bytes) {
  const auto path = scene.folder.file("Swishcam.prm");
  scene.engine.reset();  // it would write its own file at exit
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  scene.engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
}

}  // namespace

TEST(SettingsFile, TheLayoutIsLittleEndianAt360Bytes) {
  const SettingsBytes b = encodeSettings(sample());
  for (auto [at, value] : {std::pair{0, 1}, {3, 0}, {4, 12}, {5, 7}, {6, 4}, {7, 1}, {8, 0},
                           {13, 0x70}, {14, 0x97}, {15, 0x40},  // 1500.0 = 0x4097700000000000
                           {16, 42}, {19, 0}, {20, 157}, {24, 0x2C}, {25, 0x01}, {27, 0}, {39, 0},
                           {40, 5}, {43, 0}, {44, 0x01}, {45, 0x02}, {48, 100}, {52, 'P'},
                           {58, 0}, {64, 10}, {68, 0x02}, {69, 0x04}, {72, 99}, {76, 'P'},
                           {280, 'U'}, {300, 'm'}, {301, 0}, {359, 0}})
    EXPECT_EQ(b[at], value) << "byte " << at;
}

TEST(SettingsFile, AFileReadsBackAsWrittenAndTextsEndAtTheirField) {
  TemporaryFolder folder;
  ASSERT_TRUE(writeSettingsFile(folder.file(settingsFileName), sample()));
  EXPECT_EQ(std::filesystem::file_size(folder.file(settingsFileName)), 360u);
  EXPECT_EQ(encodeSettings(*readSettingsFile(folder.file(settingsFileName))),
            encodeSettings(sample()));
  SettingsBytes b{};
  std::fill(b.begin() + 52, b.begin() + 64, 'x');
  std::fill(b.begin() + 280, b.end(), 'y');
  EXPECT_EQ(decodeSettings(b).topTen[0].nameView(), std::string(11, 'x'));
  EXPECT_EQ(decodeSettings(b).videoDeviceName, std::string(79, 'y'));
}

// Each value the program could never write falls back to its default alone; an unknown
// skin (the noise skin) and 0 moves per frame (one step a frame) stay.
TEST(SettingsFile, ImpossibleValuesFallBackOneByOne) {
  GameSettings bad{7, 0, 11, 6, 9, NAN, 31, -5, 1 << 30, sample().topTen, "Cam"};
  bad.topTen[2].gameTime = -1;
  bad.topTen[3].points = 0x7FFFFFFF;
  bad.topTen[4].gameTime = 0;  // points without minutes would divide by zero
  GameSettings expected{1, 5, 2, 0, 9, 600.0, 30, 112, 200, sample().topTen, "Cam"};
  expected.topTen[2] = expected.topTen[3] = expected.topTen[4] = TopTenEntry{};
  EXPECT_EQ(encodeSettings(decodeSettings(encodeSettings(bad))), encodeSettings(expected));
  bad = {0, 1, 0, 5, 4, -600.0, 0, 30, 2000, {}, ""};
  expected = {0, 1, 0, 5, 4, 600.0, 30, 30, 2000, {}, ""};
  EXPECT_EQ(encodeSettings(decodeSettings(encodeSettings(bad))), encodeSettings(expected));
}

// The engine takes a file of exactly 360 bytes, defaults otherwise, and writes the file at
// exit only.
TEST(SettingsFile, TheEngineReadsAtStartAndWritesAtExit) {
  const SettingsBytes written = encodeSettings(sample());
  for (std::size_t length : {360u, 359u, 361u, 0u}) {
    EngineScene scene;
    std::vector<char> bytes(written.begin(), written.end());
    bytes.resize(length, 0);
    startWith(scene, bytes);
    const GameEngine& e = *scene.engine;
    const bool read = length == 360;
    EXPECT_EQ(std::tuple(int(e.match.periodMinutes), e.ball.radius, e.court.ringHeight),
              read ? std::tuple(12, 42, 300) : std::tuple(5, 30, 200)) << length;
    ASSERT_TRUE(scene.build());
    EXPECT_EQ(std::filesystem::file_size(scene.folder.file("Swishcam.prm")), length);
    scene.engine.reset();
    const GameSettings back = *readSettingsFile(scene.folder.file("Swishcam.prm"));
    EXPECT_EQ(back.videoDeviceName, "Test camera");
    EXPECT_EQ(back.ballRadius, read ? 42 : 30) << length;
  }
}

TEST(SettingsFile, AnyHostileFileLeavesTheEngineSafeToPlay) {
  std::mt19937 random(12345);
  for (int trial = 0; trial < 20; ++trial) {
    EngineScene scene;
    std::vector<char> bytes(360);
    for (char& b : bytes) b = static_cast<char>(random());
    startWith(scene, bytes);
    ASSERT_TRUE(scene.build());
    for (int frame = 0; frame < 5; ++frame) {
      scene.clock.advance(33);
      scene.deliverUniform(static_cast<std::uint8_t>(random()));
    }
    scene.engine->match.leftScore = 3;
    scene.engine->onPeriodOver(nullptr);  // records into the table read from the file
    EXPECT_TRUE(std::isfinite(scene.engine->ball.x + scene.engine->ball.y));
  }
}

TEST(SettingsFile, AnUnwritableProgramFolderSendsTheSettingsToTheUserConfiguration) {
  const std::filesystem::path beside = "/usr/bin/Swishcam.prm";
  const std::filesystem::path home = "/home/ann/.config/swishcam/Swishcam.prm";
  EXPECT_EQ(chooseSettingsPath(beside, true, "/cfg", "/home/ann"), beside);
  EXPECT_EQ(chooseSettingsPath(beside, false, "/cfg", "/home/ann"), "/cfg/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, "/home/ann"), home);
  EXPECT_EQ(chooseSettingsPath(beside, false, "relative", "/home/ann"), home);
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, nullptr), beside);
}
