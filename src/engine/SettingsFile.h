#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "model/TopTen.h"

// The persisted part of the engine: 360 bytes, little-endian, no header.
struct GameSettings {
  std::uint32_t mirror = 1;
  std::uint8_t periodMinutes = 5;
  std::uint8_t movesPerFrame = 2;
  std::uint8_t computerSkill = 0;
  std::uint8_t skinIndex = 3;
  double gravity = 600.0;
  std::int32_t ballRadius = 30;
  std::int32_t basketSize = 112;
  std::int32_t ringHeight = 200;
  TopTenTable topTen{};
  std::string videoDeviceName;
};

constexpr std::size_t settingsFileSize = 360;
constexpr const char* settingsFileName = "Swishcam.prm";

using SettingsBytes = std::array<std::uint8_t, settingsFileSize>;

SettingsBytes encodeSettings(const GameSettings& settings);
// Reads the layout as stored, then replaces each value the program could never have written
// (see sanitizeSettings) by its default.
GameSettings decodeSettings(const SettingsBytes& bytes);
void sanitizeSettings(GameSettings& settings);

// The file's settings, or nothing when it is missing, unreadable or not exactly 360 bytes.
std::optional<GameSettings> readSettingsFile(const std::filesystem::path& path);
// Writes a temporary file beside `path` and renames it over the old one, so that a crash or a
// full disk never leaves a truncated file. False when nothing could be written.
bool writeSettingsFile(const std::filesystem::path& path, const GameSettings& settings);
