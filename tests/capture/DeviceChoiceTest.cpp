#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/DeviceChoice.h"

namespace {

struct Search {
  DeviceNames names;
  int count = 0;
  int run(const std::vector<std::string>& available, const std::string& wanted) {
    return chooseCaptureDevice(available, wanted, names, count);
  }
};

}  // namespace

TEST(DeviceChoice, EmptyNameTakesTheFirstOfTwoCameras) {
  Search search;
  EXPECT_EQ(search.run({"Front", "Back"}, ""), 0);
  EXPECT_EQ(search.count, 2);
  EXPECT_EQ(search.names[0], "Front");
  EXPECT_EQ(search.names[1], "Back");
}

TEST(DeviceChoice, StoredCameraGoneTakesTheLastListed) {
  Search search;
  EXPECT_EQ(search.run({"Front", "Back"}, "Gone"), 1);
}

TEST(DeviceChoice, TwoCamerasWithTheStoredNameTakeTheLater) {
  Search search;
  EXPECT_EQ(search.run({"Cam", "Other", "Cam", "Last"}, "Cam"), 2);
}

TEST(DeviceChoice, TwelveCamerasListTheFirstTen) {
  std::vector<std::string> twelve;
  for (int i = 0; i < 12; ++i) twelve.push_back("Camera " + std::to_string(i));
  Search search;
  EXPECT_EQ(search.run(twelve, "Camera 11"), 9);  // never seen: the last listed instead
  EXPECT_EQ(search.count, 10);
  EXPECT_EQ(search.names[9], "Camera 9");
}

TEST(DeviceChoice, LongNameIsCutTo79AndMatchesAgainOnceStored) {
  const std::string longName(100, 'x');
  Search search;
  ASSERT_EQ(search.run({"Front", longName}, longName), 1);  // the full name is never listed
  const std::string stored = search.names[1];
  EXPECT_EQ(stored.size(), 79u);
  EXPECT_EQ(search.run({longName, "Front"}, stored), 0);
}

TEST(DeviceChoice, ShorterNameThatPrefixesAnotherIsMatchedExactly) {
  Search search;
  EXPECT_EQ(search.run({"Cam", "Cam 2"}, "Cam"), 0);
  EXPECT_EQ(search.run({"Cam 2", "Cam"}, "Cam"), 1);
}

TEST(DeviceChoice, NoCameraKeepsTheTable) {
  Search search;
  search.run({"Front"}, "");
  EXPECT_EQ(search.run({}, "Front"), -1);
  EXPECT_EQ(search.count, 1);
  EXPECT_EQ(search.names[0], "Front");
}

TEST(DeviceChoice, AShorterListClearsTheSlotsBeyondIt) {
  Search search;
  search.run({"A", "B", "C"}, "");
  search.run({"D"}, "");
  EXPECT_EQ(search.count, 1);
  EXPECT_EQ(search.names[1], "");
}
