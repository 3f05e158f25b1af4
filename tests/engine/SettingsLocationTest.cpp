#include <gtest/gtest.h>

#include "engine/SettingsLocation.h"

TEST(SettingsLocation, AnUnwritableProgramFolderSendsTheSettingsToTheUserConfiguration) {
  const std::filesystem::path beside = "/usr/bin/Swishcam.prm";
  EXPECT_EQ(chooseSettingsPath(beside, true, "/cfg", "/home/ann"), beside);
  EXPECT_EQ(chooseSettingsPath(beside, false, "/cfg", "/home/ann"), "/cfg/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, "/home/ann"),
            "/home/ann/.config/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, "relative", "/home/ann"),
            "/home/ann/.config/swishcam/Swishcam.prm");
  EXPECT_EQ(chooseSettingsPath(beside, false, nullptr, nullptr), beside);
}
