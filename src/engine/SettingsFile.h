#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/GameSettings.h"
#include "platform/SafeFile.h"

// The settings file holds GameSettings in 360 bytes, little-endian, no header.
constexpr std::size_t settingsFileSize = 360;
constexpr const char* settingsFileName = "Swishcam.prm";

using SettingsBytes = std::array<std::uint8_t, settingsFileSize>;

SettingsBytes encodeSettings(const GameSettings& settings);
// Reads the layout as stored, then replaces each value the program could never have written
// (see sanitizeSettings) by its default.
GameSettings decodeSettings(const SettingsBytes& bytes);
void sanitizeSettings(GameSettings& settings);

// What a load or a save of the settings file has to tell the user: nothing when all went
// well, else one message that names the file and the system's reason.
struct SettingsReport {
  std::string message;
  bool ok() const { return message.empty(); }
};

// The file's settings; nothing when it is missing or cannot be used, and then the reason in
// `why` (left empty for a missing file): the system's, "Is a directory", "Not a regular file"
// or "Not 360 bytes long". A named pipe never blocks the read.
std::optional<GameSettings> readSettingsFile(const std::filesystem::path& path,
                                             std::string* why = nullptr);

struct SettingsLoad {
  std::optional<GameSettings> settings;  // nothing: the defaults hold
  SettingsReport report;
};
// Reads the file. One that is there but cannot be used is kept aside as
// "Swishcam.prm.unreadable" (or the first free name after it) before anything can write
// over it; the report says so, or why it stays where it is.
SettingsLoad loadSettingsFile(const std::filesystem::path& path);

// Replaces the file through a temporary one (see replaceFile), so that a crash or a full disk
// never leaves a truncated file, and writes through a symbolic link. Never writes over a file
// that does not read back as settings: the report names the reason instead.
SettingsReport writeSettingsFile(const std::filesystem::path& path, const GameSettings& settings,
                                 WriteCall write = ::write);

