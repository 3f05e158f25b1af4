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

std::filesystem::path settingsPath() {
  const std::filesystem::path beside = settingsPathBesideExecutable();
  const std::filesystem::path folder =
      beside.has_parent_path() ? beside.parent_path() : std::filesystem::path(".");
  const bool writable = ::access(folder.c_str(), W_OK) == 0;
  std::filesystem::path chosen =
      chooseSettingsPath(beside, writable, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  std::error_code ignored;
  if (chosen != beside) std::filesystem::create_directories(chosen.parent_path(), ignored);
  return chosen;
}
