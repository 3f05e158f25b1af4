#pragma once
#include <filesystem>

// "Swishcam.prm" in the running executable's folder (bare name when it cannot be found).
std::filesystem::path settingsPathBesideExecutable();

// Where the settings live: beside the executable when that folder can be written; else
// (an installed copy in /usr/games, say) in the user's configuration folder
// ($XDG_CONFIG_HOME, or $HOME/.config, then "swishcam"), so that nothing is silently lost.
// There, on the first start, a settings file beside the executable is taken over.
std::filesystem::path settingsPath();
// The choice itself, for a given executable folder's writability and environment.
std::filesystem::path chooseSettingsPath(const std::filesystem::path& besideExecutable,
                                         bool folderWritable, const char* configHome,
                                         const char* home);

// Copies a settings file that stands beside the executable (shipped with the program, or
// left by a copy that ran there) to the user's own path, when the user has none yet, so
// that it is not ignored. The shipped file is only read. True when it was copied.
bool takeOverShippedSettings(const std::filesystem::path& shipped,
                             const std::filesystem::path& own);
