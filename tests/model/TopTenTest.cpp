#include "model/TopTen.h"

#include <gtest/gtest.h>

// Rows A, B, C … of the given scores, 5 minutes each; and the names of a table in order.
static TopTenTable table(std::initializer_list<int> scores) {
  TopTenTable t{};
  for (std::size_t i = 0; i < scores.size(); ++i) t[i] = {5, 0, scores.begin()[i], {char('A' + i)}};
  return t;
}
static std::string names(const TopTenTable& t) {
  std::string all;
  for (const TopTenEntry& e : t) all += std::string(e.nameView()) + " ";
  return all;
}

// A score is points × 10 / minutes + minutes. A new name goes in below every row of equal or
// higher score, pushing the last row out; "Computer" and 0 points are never recorded.
TEST(TopTen, ANewNameGoesBelowRowsOfEqualScore) {
  for (auto [name, points, minutes, order] :
       {std::tuple{"New", 12, 5, "A B C D E F G H I J "},  // 29, like the last row: no place
        {"New", 26, 4, "A B C D New E F G H I "},           // 69
        {"Max", 30, 10, "A B C D E F G Max H I "},          // 40, like G
        {"Computer", 400, 5, "A B C D E F G H I J "}}) {
    TopTenTable t = table({100, 90, 80, 70, 60, 50, 40, 35, 30, 29});
    recordResult(t, name, points, minutes);
    EXPECT_EQ(names(t), order) << name << " " << points;
  }
}

// A name in the table accumulates minutes and points, and its row climbs only past strictly
// lower scores. Names compare exactly; "" is the name of every empty row.
TEST(TopTen, ANameInTheTableAccumulatesAndClimbsPastStrictlyLowerScores) {
  TopTenTable t = table({50, 40, 40, 30});
  recordResult(t, "D", 30, 5);  // 30 points in 10 minutes: 40, equal to B and C
  EXPECT_EQ(names(t), "A B C D" + std::string(7, ' '));
  EXPECT_EQ(t[3], (TopTenEntry{10, 30, 40, "D"}));
  recordResult(t, "D", 170, 10);  // 200 points in 20 minutes: 120
  recordResult(t, "d", 10, 5);    // 25
  recordResult(t, "", 10, 5);     // into the first empty row, equal to d
  recordResult(t, "A", 0, 5);     // no points: never recorded
  EXPECT_EQ(names(t), "D A B C d" + std::string(6, ' '));
  EXPECT_EQ(t[5], (TopTenEntry{5, 10, 25, ""}));
}

// Totals stop where the settings file's loader stops reading them back.
TEST(TopTen, TotalsStopAtWhatTheSettingsFileReadsBack) {
  for (auto [minutes, points, addedPoints, wantMinutes, wantPoints] :
       {std::tuple{5, topTenMaxPoints - 3, 10, 10, topTenMaxPoints},
        {topTenMaxMinutes - 1, 7, 2, topTenMaxMinutes, 9},
        {topTenMaxMinutes, topTenMaxPoints, 2, topTenMaxMinutes, topTenMaxPoints}}) {
    TopTenTable t{};
    t[0] = {minutes, points, 1, "Ann"};
    recordResult(t, "Ann", addedPoints, 5);
    EXPECT_EQ(std::pair(t[0].gameTime, t[0].points), std::pair(wantMinutes, wantPoints)) << minutes;
  }
}
