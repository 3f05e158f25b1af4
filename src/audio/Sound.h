#pragma once
#include <array>
#include <cstdint>

// The game's sounds. The frame step records them; the window thread plays them.
enum class Sound : std::uint8_t {
  Bounce,    // the ball on the floor or a border, louder for a harder hit
  Rim,       // a knock on a backboard or a bracket
  Swish2,    // a basket for 2 points
  Swish3,    // a basket for 3 points
  Computer,  // the computer's points
  Buzzer,    // the end of a period
  Fanfare,   // the winner's medal
};
inline constexpr std::size_t soundCount = 7;

using SoundCounts = std::array<std::uint64_t, soundCount>;  // events of each sound
