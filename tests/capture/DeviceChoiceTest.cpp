#include <gtest/gtest.h>

#include "capture/DeviceChoice.h"

// Rows run in order on one table, as searches at successive starts do.
TEST(DeviceChoice, TakesTheFirstForNoNameElseTheLastOfThatNameElseTheLastListed) {
  const std::string longName(100, 'x');
  const std::tuple<std::vector<std::string>, std::string, int> rows[] = {
      {{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}, "l", 9},  // "l" unseen: the last listed
      {{"Front", "Back"}, "", 0},
      {{"Front", "Back"}, "Gone", 1},
      {{}, "Front", -1},  // no camera: the table stays
      {{"Cam", "Other", "Cam", "Last"}, "Cam", 2},  // the later of two with the stored name
      {{"Cam", "Cam 2"}, "Cam", 0},                 // exact, not a prefix
      {{"Cam 2", "Cam"}, "Cam", 1},
      {{longName, "Front"}, longName, 1},  // listed cut, so the whole name is never found
      {{longName, "Front"}, longName.substr(0, 79), 0},  // the cut name matches again
  };
  DeviceNames names;
  int count = 0;
  for (const auto& [available, wanted, chosen] : rows) {
    const int before = count;
    EXPECT_EQ(chooseCaptureDevice(available, wanted, names, count), chosen) << wanted;
    EXPECT_EQ(count, available.empty() ? before : std::min<int>(10, int(available.size())));
    if (!available.empty()) { EXPECT_EQ(names[0], available[0].substr(0, 79)); }
    if (count < 10) { EXPECT_EQ(names[count], ""); }  // a shorter list clears the rest
  }
}
