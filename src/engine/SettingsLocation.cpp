#include "engine/SettingsLocation.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "engine/SettingsFile.h"

std::filesystem::path settingsPathBesideExecutable() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !exe.has_parent_path()) return settingsFileName;
  return exe.parent_path() / settingsFileName;
}

std::filesystem::path chooseSettingsPath(const std::filesystem::path& besideExecutable,
                                         bool folderWritable, const char* configHome,
                                         const char* home) {
  if (folderWritable) return besideExecutable;
  std::filesystem::path folder;
  if (configHome != nullptr && configHome[0] == '/')
    folder = configHome;
  else if (home != nullptr && home[0] == '/')
    folder = std::filesystem::path(home) / ".config";
  else
    return besideExecutable;
  return folder / "swishcam" / settingsFileName;
}

bool takeOverShippedSettings(const std::filesystem::path& shipped,
                             const std::filesystem::path& own) {
  namespace fs = std::filesystem;
  std::error_code error;
  // A dangling link counts as the user's own file too: it is never written through here.
  if (fs::symlink_status(own, error).type() != fs::file_type::not_found) return false;
  // Anything but a settings file's size is not one the game would read; a pipe would block.
  if (!fs::is_regular_file(shipped, error) || fs::file_size(shipped, error) != settingsFileSize)
    return false;
  if (!fs::copy_file(shipped, own, fs::copy_options::none, error)) {
    // A half-written copy would hide the shipped file for good; one that appeared meanwhile
    // is the user's.
    if (error != std::errc::file_exists) fs::remove(own, error);
    return false;
  }
  // The copy keeps the shipped file's mode, which may be read-only.
  fs::permissions(own, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                  error);
  return true;
}

std::filesystem::path settingsPath() {
  const std::filesystem::path beside = settingsPathBesideExecutable();
  const std::filesystem::path folder =
      beside.has_parent_path() ? beside.parent_path() : std::filesystem::path(".");
  const bool writable = ::access(folder.c_str(), W_OK) == 0;
  std::filesystem::path chosen =
      chooseSettingsPath(beside, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  if (chosen != beside) {
    std::error_code ignored;
    std::filesystem::create_directories(chosen.parent_path(), ignored);
    takeOverShippedSettings(beside, chosen);
  }
  return chosen;
}
