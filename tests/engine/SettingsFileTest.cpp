#include "engine/SettingsFile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/EngineScene.h"

static GameSettings sample() {
  GameSettings s{1, 12, 7, 4, 1, 1500.0, 42, 157, 300, {}, "USB Camera: HD Webcam"};
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
  EXPECT_EQ(decodeSettings(full).topTen[0].nameView(), std::string(11, 'x'));
  EXPECT_EQ(decodeSettings(full).videoDeviceName, std::string(79, 'y'));
}

// Each value the program could never write falls back to its default alone; the limits it
// can write stay, as do unknown skins (the noise skin) and 0 moves per frame.
TEST(SettingsFile, ImpossibleValuesFallBackOneByOne) {
  auto read = [](const GameSettings& s) { return decodeSettings(encodeSettings(s)); };
  GameSettings bad{7, 0, 11, 6, 9, NAN, 31, 29, 2001, sample().topTen, "Cam"};
  bad.topTen[2].gameTime = -1;
  bad.topTen[3].points = 0x7FFFFFFF;
  bad.topTen[4].gameTime = 0;  // points without minutes would divide by zero
  GameSettings expected{1, 5, 2, 0, 9, 600.0, 30, 112, 200, sample().topTen, "Cam"};
  expected.topTen[2] = expected.topTen[3] = expected.topTen[4] = TopTenEntry{};
  EXPECT_EQ(encodeSettings(read(bad)), encodeSettings(expected));
  const GameSettings limits{0, 255, 10, 5, 255, 100000.0, 100, 30, 2000, {}, ""};
  EXPECT_EQ(encodeSettings(read(limits)), encodeSettings(limits));
}

// The engine reads a file of exactly 360 bytes into its parts and writes them at exit only.
TEST(SettingsFile, TheEngineReadsAtStartAndWritesAtExit) {
  for (std::size_t length : {360u, 359u, 361u}) {
    EngineScene scene;
    scene.engine.reset();  // it would write its own file at exit
    const auto path = scene.folder.file("Swishcam.prm");
    ASSERT_TRUE(writeSettingsFile(path, sample()));
    std::filesystem::resize_file(path, length);
    scene.engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
    EXPECT_EQ(scene.engine->ball.radius, length == 360 ? 42 : 30);
    ASSERT_TRUE(scene.build());
    EXPECT_EQ(std::filesystem::file_size(path), length);
    scene.engine.reset();
    GameSettings expected = length == 360 ? sample() : GameSettings{};
    expected.videoDeviceName = "Test camera";
    EXPECT_EQ(encodeSettings(*readSettingsFile(path)), encodeSettings(expected)) << length;
  }
}
