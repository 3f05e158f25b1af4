#include <gtest/gtest.h>

#include <string>

#include "engine/SettingsFile.h"
#include "engine/TopTen.h"

namespace {

TopTenEntry row(const std::string& name, int gameTime, int points, int score) {
  TopTenEntry e;
  e.gameTime = gameTime;
  e.points = points;
  e.score = score;
  name.copy(e.name, 11);
  return e;
}

// Ten rows named A…J scoring 100, 90, …, 29 at the end.
TopTenTable fullTable() {
  TopTenTable t;
  const int scores[10] = {100, 90, 80, 70, 60, 50, 40, 35, 30, 29};
  for (int i = 0; i < 10; ++i) t[i] = row(std::string(1, char('A' + i)), 5, 0, scores[i]);
  return t;
}

}  // namespace

TEST(TopTen, ANameAlreadyInTheTableAccumulates) {
  TopTenTable t{};
  recordResult(t, "Ann", 20, 5);
  recordResult(t, "Ann", 30, 10);
  EXPECT_EQ(t[0].nameView(), "Ann");
  EXPECT_EQ(t[0].gameTime, 15);
  EXPECT_EQ(t[0].points, 50);
  EXPECT_EQ(t[0].score, 48);
  EXPECT_EQ(t[1].nameView(), "");
}

TEST(TopTen, AFirstResultScoresPointsPerTenMinutesPlusMinutes) {
  TopTenTable t{};
  recordResult(t, "Bob", 12, 5);
  EXPECT_EQ(t[0].score, 29);
  EXPECT_EQ(t[0].gameTime, 5);
  EXPECT_EQ(t[0].points, 12);
}

TEST(TopTen, AFullTableRefusesAnEqualScoreAndTakesAHigherOne) {
  TopTenTable t = fullTable();
  recordResult(t, "New", 12, 5);  // scores 29, like the last row
  EXPECT_EQ(t, fullTable());
  recordResult(t, "New", 26, 4);  // 26 × 10 / 4 + 4 = 69
  EXPECT_EQ(t[3].score, 70);
  EXPECT_EQ(t[4].nameView(), "New");
  EXPECT_EQ(t[5].score, 60);
  EXPECT_EQ(t[9].score, 30);  // the old last row was pushed out
}

TEST(TopTen, ANewNameGoesBelowRowsOfEqualScore) {
  TopTenTable t = fullTable();
  recordResult(t, "Eve", 10, 10);  // 10 × 10 / 10 + 10 = 20 < 29: no place
  EXPECT_EQ(t, fullTable());
  recordResult(t, "Eve", 25, 5);  // 55: below 60, above 50
  EXPECT_EQ(t[5].nameView(), "Eve");
  t = fullTable();
  recordResult(t, "Max", 30, 10);  // 40 equals row G's: goes right below it
  EXPECT_EQ(t[6].nameView(), "G");
  EXPECT_EQ(t[7].nameView(), "Max");
}

TEST(TopTen, AnAccumulatedRowClimbsOnlyPastStrictlyLowerScores) {
  TopTenTable t{};
  t[0] = row("A", 5, 0, 50);
  t[1] = row("B", 5, 0, 40);
  t[2] = row("C", 5, 0, 30);
  recordResult(t, "C", 10, 5);  // C: 10 points in 10 minutes → 10 + 10 = 20
  EXPECT_EQ(t[2].nameView(), "C");
  EXPECT_EQ(t[2].score, 20);
  recordResult(t, "C", 190, 10);  // 200 points in 20 minutes → 100 + 20 = 120
  EXPECT_EQ(t[0].nameView(), "C");
  EXPECT_EQ(t[1].nameView(), "A");
  EXPECT_EQ(t[2].nameView(), "B");
}

TEST(TopTen, ComputerAndZeroPointsAreNeverRecorded) {
  TopTenTable t{};
  recordResult(t, "Computer", 40, 5);
  recordResult(t, "Ann", 0, 5);
  EXPECT_EQ(t, TopTenTable{});
}

TEST(TopTen, AnEmptyNameMatchesTheFirstEmptyRow) {
  TopTenTable t{};
  t[0] = row("A", 5, 100, 205);
  recordResult(t, "", 10, 5);  // row 2 is empty and named "": it accumulates there
  EXPECT_EQ(t[1].gameTime, 5);
  EXPECT_EQ(t[1].points, 10);
  EXPECT_EQ(t[1].score, 25);
  EXPECT_EQ(t[2].score, 0);
}

TEST(TopTen, NamesAreComparedExactly) {
  TopTenTable t{};
  recordResult(t, "ann", 10, 5);
  recordResult(t, "Ann", 10, 5);
  EXPECT_EQ(t[0].nameView(), "ann");
  EXPECT_EQ(t[1].nameView(), "Ann");
}

TEST(TopTen, TotalsStopAtWhatTheSettingsFileReadsBack) {
  struct Case { int gameTime, points, addedPoints, addedMinutes, wantTime, wantPoints; };
  const Case cases[] = {
      {5, topTenMaxPoints - 3, 10, 5, 10, topTenMaxPoints},
      {topTenMaxMinutes - 1, 7, 2, 5, topTenMaxMinutes, 9},
      {topTenMaxMinutes, topTenMaxPoints, 2, 5, topTenMaxMinutes, topTenMaxPoints},
  };
  for (const Case& c : cases) {
    GameSettings s;
    s.topTen[0] = row("Ann", c.gameTime, c.points, 1);
    recordResult(s.topTen, "Ann", c.addedPoints, c.addedMinutes);
    EXPECT_EQ(s.topTen[0].gameTime, c.wantTime);
    EXPECT_EQ(s.topTen[0].points, c.wantPoints);
    EXPECT_EQ(decodeSettings(encodeSettings(s)).topTen[0], s.topTen[0]) << c.points;
  }
}
