#include "model/TopTen.h"

#include <string>

#include <gtest/gtest.h>

#include "model/Match.h"

namespace {

// Rows named A … J scoring 100, 90, 80, 70, 60, 50, 40, 35, 30, 29 (or the given scores).
TopTenTable table(std::initializer_list<int> scores = {100, 90, 80, 70, 60, 50, 40, 35, 30, 29}) {
  TopTenTable t{};
  for (int i = 0; i < int(scores.size()); ++i) {
    t[i] = {5, 0, scores.begin()[i]};
    t[i].name[0] = char('A' + i);
  }
  return t;
}

std::string names(const TopTenTable& t) {
  std::string all;
  for (const TopTenEntry& e : t) all += std::string(e.nameView()) + " ";
  return all;
}

}  // namespace

// A score is points × 10 / minutes + minutes. A new name goes in below every row of equal or
// higher score, pushing the last row out; "Computer" and 0 points are never recorded.
TEST(TopTen, ANewNameGoesBelowRowsOfEqualScore) {
  for (auto [name, points, minutes, order] :
       {std::tuple{"New", 12, 5, "A B C D E F G H I J "},  // 29, like the last row: no place
        {"New", 26, 4, "A B C D New E F G H I "},           // 69
        {"Max", 30, 10, "A B C D E F G Max H I "},          // 40, like G
        {"Computer", 400, 5, "A B C D E F G H I J "}}) {
    TopTenTable t = table();
    recordResult(t, name, points, minutes);
    EXPECT_EQ(names(t), order) << name << " " << points;
  }
  TopTenTable t{};
  recordResult(t, "Ann", 0, 5);
  recordResult(t, "Bob", 12, 5);
  EXPECT_EQ(t[0], (TopTenEntry{5, 12, 29, "Bob"}));
  EXPECT_EQ(t[1], TopTenEntry{});
}

// A name already in the table accumulates minutes and points, and its row climbs only past
// strictly lower scores. Names compare exactly; "" is the name of every empty row.
TEST(TopTen, ANameInTheTableAccumulatesAndClimbsPastStrictlyLowerScores) {
  TopTenTable t = table({50, 40, 30});
  recordResult(t, "C", 30, 5);  // 30 points in 10 minutes: 40, equal to B
  EXPECT_EQ(t[2], (TopTenEntry{10, 30, 40, "C"}));
  recordResult(t, "C", 170, 10);  // 200 points in 20 minutes: 120
  recordResult(t, "c", 10, 5);
  recordResult(t, "", 10, 5);  // into the first empty row, equal to c
  EXPECT_EQ(names(t), "C A B c       ");
  EXPECT_EQ(t[4], (TopTenEntry{5, 10, 25, ""}));
}

TEST(TopTen, TheWinnerIsTheHigherScoreAndADrawAFriendship) {
  Match m;
  m.leftScore = m.rightScore = 4;
  EXPECT_EQ(winnerText(m), "Friendship");
  m.rightScore = 6;
  EXPECT_EQ(winnerText(m), "Player2");
}
