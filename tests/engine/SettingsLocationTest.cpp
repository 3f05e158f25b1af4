#include <gtest/gtest.h>

#include <optional>

#include "engine/SettingsLocation.h"
#include "support/EngineScene.h"

namespace {

// What stands beside the executable and in the user's folder before the first start; a
// missing size is no file.
struct TakeOverCase {
  const char* what;
  std::optional<std::size_t> shippedSize;
  bool shippedIsFolder;
  std::optional<std::size_t> ownSize;
  bool ownIsDanglingLink, copied;
};

constexpr TakeOverCase takeOverCases[] = {
    {"a shipped file, no own file", 360, false, std::nullopt, false, true},
    {"the user's own file stays whatever its size", 360, false, 12, false, false},
    {"nothing shipped", std::nullopt, false, std::nullopt, false, false},
    {"a shipped file one byte short", 359, false, std::nullopt, false, false},
    {"a shipped file one byte long", 361, false, std::nullopt, false, false},
    {"a folder by the settings file's name", std::nullopt, true, std::nullopt, false, false},
    {"a dangling link as the own file", 360, false, std::nullopt, true, false},
};

}  // namespace

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

TEST(SettingsLocation, TheFirstStartTakesOverOnlyAShippedSettingsFileAndNeverChangesIt) {
  namespace fs = std::filesystem;
  for (const TakeOverCase& c : takeOverCases) {
    SCOPED_TRACE(c.what);
    TemporaryFolder folder;
    const fs::path shipped = folder.file("Swishcam.prm");
    const fs::path own = folder.file("own.prm");
    const std::string shippedBytes(c.shippedSize.value_or(0), 's');
    const std::string ownBytes(c.ownSize.value_or(0), 'o');
    if (c.shippedSize) {
      std::ofstream(shipped) << shippedBytes;
      fs::permissions(shipped, fs::perms::owner_read | fs::perms::group_read);
    }
    if (c.shippedIsFolder) fs::create_directory(shipped);
    if (c.ownSize) std::ofstream(own) << ownBytes;
    if (c.ownIsDanglingLink) fs::create_symlink(folder.file("nowhere"), own);
    EXPECT_EQ(takeOverShippedSettings(shipped, own), c.copied);
    if (c.shippedSize) {
      EXPECT_EQ(readFile(shipped), shippedBytes);
      EXPECT_EQ(fs::status(shipped).permissions(), fs::perms::owner_read | fs::perms::group_read);
    }
    if (c.copied) {
      EXPECT_EQ(readFile(own), shippedBytes);
      EXPECT_NE(fs::status(own).permissions() & fs::perms::owner_write, fs::perms::none);
    } else if (c.ownSize) {
      EXPECT_EQ(readFile(own), ownBytes);
    } else {
      EXPECT_EQ(fs::is_symlink(own), c.ownIsDanglingLink);
      EXPECT_FALSE(fs::exists(own));
    }
  }
}
