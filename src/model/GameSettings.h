#pragma once
#include <cstdint>
#include <string>

#include "model/TopTen.h"

// The game's tunables: what the settings file keeps, read and written whole. Each settings
// dialog edits one slice of it and hands the slice back to the game.

// The video dialog's slice.
struct VideoSettings {
  std::uint32_t mirror = 1;     // 1: the picture is turned left for right
  std::string videoDeviceName;  // the camera in use; the file keeps 80 bytes of it
};

// The players dialog's slice (the names are the match's, not kept in the file).
struct TimingSettings {
  std::uint8_t periodMinutes = 5;  // length of a game
  std::uint8_t movesPerFrame = 2;  // extra ball steps per frame
  std::uint8_t computerSkill = 0;  // 0 to 5
};

// The environment dialog's slice.
struct EnvironmentSettings {
  double gravity = 600.0;          // px/s², downward
  std::int32_t ballRadius = 30;    // px
  std::int32_t basketSize = 112;   // px, ring width
  std::int32_t ringHeight = 200;   // px, backboards' lower edge above the bottom row
  std::uint8_t skinIndex = 3;      // 0–4; any other value selects the noise skin
};

struct GameSettings {
  VideoSettings video;
  TimingSettings timing;
  EnvironmentSettings environment;
  TopTenTable topTen{};
};
