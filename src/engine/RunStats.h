#pragma once
#include <cstdint>

#include "audio/Sound.h"

// What happened in a run, beside the game's rules: the headless runner reports it.
struct RunStats {
  std::uint64_t strikes = 0;  // strikes from motion
  std::uint64_t baskets = 0;  // baskets scored through rings
  SoundCounts sounds{};       // sound events recorded, by sound
};
