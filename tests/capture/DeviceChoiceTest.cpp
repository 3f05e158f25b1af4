#include <gtest/gtest.h>

#include "capture/DeviceChoice.h"

TEST(DeviceChoice, TakesTheFirstForNoNameElseTheLastOfThatNameElseTheLastListed) {
  const std::string longName(100, 'x');
  const std::string twelve[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
  struct Row {
    std::vector<std::string> available;
    std::string wanted;
    int chosen;
  };
  const Row rows[] = {
      {{"Front", "Back"}, "", 0},
      {{"Front", "Back"}, "Gone", 1},
      {{"Cam", "Other", "Cam", "Last"}, "Cam", 2},  // the later of two with the stored name
      {{"Cam", "Cam 2"}, "Cam", 0},                 // exact, not a prefix
      {{"Cam 2", "Cam"}, "Cam", 1},
      {{longName, "Front"}, longName, 1},  // listed cut, so the whole name is never found
      {{longName, "Front"}, longName.substr(0, 79), 0},  // the cut name matches again
      {{std::begin(twelve), std::end(twelve)}, "l", 9},  // the eleventh and twelfth are never seen
  };
  for (const Row& row : rows) {
    DeviceNames names;
    int count = 0;
    EXPECT_EQ(chooseCaptureDevice(row.available, row.wanted, names, count), row.chosen) << row.wanted;
    EXPECT_EQ(count, std::min<int>(10, static_cast<int>(row.available.size())));
    EXPECT_EQ(names[0], row.available[0].substr(0, 79));
  }
}

TEST(DeviceChoice, NoCameraKeepsTheTableAndAShorterListClearsItsTail) {
  DeviceNames names;
  int count = 0;
  chooseCaptureDevice({"A", "B"}, "", names, count);
  EXPECT_EQ(chooseCaptureDevice({}, "A", names, count), -1);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(names[1], "B");
  EXPECT_EQ(chooseCaptureDevice({"C"}, "", names, count), 0);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(names[1], "");
}
