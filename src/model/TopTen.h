#pragma once
#include <array>
#include <cstdint>
#include <string_view>

// One row of the top-ten table; also its 24-byte layout in the settings file.
struct TopTenEntry {
  std::int32_t gameTime = 0;  // minutes played by this name, summed over recorded games
  std::int32_t points = 0;    // points over those games
  std::int32_t score = 0;     // points × 10 / gameTime + gameTime
  char name[12] = {};         // ends at its first NUL, or after all 12 bytes

  std::string_view nameView() const;
  bool operator==(const TopTenEntry&) const = default;
};

using TopTenTable = std::array<TopTenEntry, 10>;

// The largest totals a row keeps: the settings file reads no larger ones back.
constexpr std::int32_t topTenMaxMinutes = 10'000'000;
constexpr std::int32_t topTenMaxPoints = 100'000'000;

// Puts a result into the table: a row of the same name accumulates and the table is
// re-sorted; a new name enters above the first row of lower score, pushing the last one out.
// "Computer" and results of 0 points are never recorded. Totals stop at the limits above.
void recordResult(TopTenTable& table, std::string_view name, int points, int minutes);
