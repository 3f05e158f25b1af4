#pragma once
#include <filesystem>

// "Swishcam.prm" in the running executable's folder (bare name when it cannot be found).
std::filesystem::path settingsPathBesideExecutable();

// Where the settings live: beside the executable when that folder can be written; else
// (an installed copy in /usr/bin, say) in the user's configuration folder
// ($XDG_CONFIG_HOME, or $HOME/.config, then "swishcam"), so that nothing is silently lost.
std::filesystem::path settingsPath();
// The choice itself, for a given executable folder's writability and environment.
std::filesystem::path chooseSettingsPath(const std::filesystem::path& besideExecutable,
                                         bool folderWritable, const char* configHome,
                                         const char* home);

