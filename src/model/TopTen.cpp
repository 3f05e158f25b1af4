#include "model/TopTen.h"
#include "model/Match.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::string_view TopTenEntry::nameView() const {
  return {name, strnlen(name, sizeof name)};
}

namespace {

int rating(int points, int minutes) { return points * 10 / minutes + minutes; }

// A sum that stops at `limit`, so that a saved row is never refused at the next start.
std::int32_t addUpTo(std::int32_t total, int more, std::int32_t limit) {
  return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{total} + more, limit));
}

// Bubble sort, passes p = 0 … 8, each from the tenth row up to row p + 2, moving a row up
// only past a strictly lower score, so rows of equal score keep their order.
void restoreOrder(TopTenTable& table) {
  for (std::size_t pass = 0; pass + 1 < table.size(); ++pass)
    for (std::size_t row = table.size() - 1; row > pass; --row)
      if (table[row].score > table[row - 1].score) std::swap(table[row], table[row - 1]);
}

}  // namespace

void recordResult(TopTenTable& table, std::string_view name, int points, int minutes) {
  if (name == computerName || points == 0 || minutes <= 0) return;
  for (TopTenEntry& entry : table) {
    if (entry.nameView() != name) continue;
    entry.gameTime = addUpTo(entry.gameTime, minutes, topTenMaxMinutes);
    entry.points = addUpTo(entry.points, points, topTenMaxPoints);
    entry.score = rating(entry.points, entry.gameTime);
    restoreOrder(table);
    return;
  }
  const int score = rating(points, minutes);
  auto place = std::find_if(table.begin(), table.end(),
                            [score](const TopTenEntry& e) { return e.score < score; });
  if (place == table.end()) return;
  std::move_backward(place, table.end() - 1, table.end());
  TopTenEntry entry;
  entry.gameTime = minutes;
  entry.points = points;
  entry.score = score;
  std::memcpy(entry.name, name.data(), std::min(name.size(), sizeof entry.name - 1));
  *place = entry;
}
