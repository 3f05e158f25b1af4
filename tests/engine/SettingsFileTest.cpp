#include "engine/SettingsFile.h"

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "support/EngineScene.h"

static GameSettings sample() {
  GameSettings s{1, 12, 7, 4, 1, 1500.0, 42, 157, 300, {}, "USB Camera: HD Webcam"};
  for (int i = 0; i < 10; ++i) s.topTen[i] = {5 * (i + 1), 0x0201 * (i + 1), 100 - i, "Player"};
  return s;
}

static SettingsBytes sanitized(const GameSettings& s) {
  return encodeSettings(decodeSettings(encodeSettings(s)));
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
  GameSettings bad{7, 0, 11, 6, 9, NAN, 31, 29, 2001, sample().topTen, "Cam"};
  bad.topTen[2].gameTime = -1;
  bad.topTen[3].points = 0x7FFFFFFF;
  bad.topTen[4].gameTime = 0;  // points without minutes would divide by zero
  GameSettings expected{1, 5, 2, 0, 9, 600.0, 30, 112, 200, sample().topTen, "Cam"};
  expected.topTen[2] = expected.topTen[3] = expected.topTen[4] = TopTenEntry{};
  EXPECT_EQ(sanitized(bad), encodeSettings(expected));
  EXPECT_EQ(sanitized({1, 0, 0, 5, 4, -600.0, 0, 400, -1, {}, ""}),
            encodeSettings({1, 5, 0, 5, 4, 600.0, 30, 400, 200, {}, ""}));
  const GameSettings limits{0, 255, 10, 5, 255, 100000.0, 100, 30, 2000, {}, ""};
  EXPECT_EQ(sanitized(limits), encodeSettings(limits));
}

// The engine takes a file of exactly 360 bytes, defaults otherwise, and writes the file at
// exit only.
TEST(SettingsFile, TheEngineReadsAtStartAndWritesAtExit) {
  const SettingsBytes written = encodeSettings(sample());
  for (std::size_t length : {360u, 359u, 361u, 0u}) {
    EngineScene scene;
    scene.engine.reset();  // it would write its own file at exit
    const auto path = scene.folder.file("Swishcam.prm");
    std::vector<char> bytes(written.begin(), written.end());
    bytes.resize(length, 0);
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(length));
    scene.engine = std::make_unique<GameEngine>(scene.clock, scene.surface, scene.catalog, path);
    const GameEngine& e = *scene.engine;
    const bool read = length == 360;
    EXPECT_EQ(std::tuple(int(e.match.periodMinutes), e.ball.radius, e.court.ringHeight),
              read ? std::tuple(12, 42, 300) : std::tuple(5, 30, 200)) << length;
    ASSERT_TRUE(scene.build());
    EXPECT_EQ(std::filesystem::file_size(path), length);
    scene.engine.reset();
    EXPECT_EQ(readSettingsFile(path)->videoDeviceName, "Test camera");
    EXPECT_EQ(readSettingsFile(path)->ballRadius, read ? 42 : 30) << length;
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
