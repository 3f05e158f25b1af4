#include "engine/SettingsFile.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace {

constexpr std::size_t topTenOffset = 40;
constexpr std::size_t rowSize = 24;
constexpr std::size_t deviceNameOffset = 280;
constexpr std::size_t deviceNameField = 80;

template <typename T>
void put(SettingsBytes& bytes, std::size_t offset, T value) {
  auto raw = std::bit_cast<std::array<std::uint8_t, sizeof(T)>>(value);
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw.begin(), raw.end());
  std::memcpy(bytes.data() + offset, raw.data(), sizeof(T));
}

template <typename T>
T get(const SettingsBytes& bytes, std::size_t offset) {
  std::array<std::uint8_t, sizeof(T)> raw;
  std::memcpy(raw.data(), bytes.data() + offset, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw.begin(), raw.end());
  return std::bit_cast<T>(raw);
}

// Text up to its first NUL, or to the end of the field when it holds none.
std::string getText(const SettingsBytes& bytes, std::size_t offset, std::size_t field) {
  const char* text = reinterpret_cast<const char*>(bytes.data() + offset);
  return std::string(text, strnlen(text, field));
}

bool isListedRadius(std::int32_t r) { return r > 0 && r % 2 == 0 && r <= 100; }

// Exactly 360 bytes from a regular file; nothing with the reason in `why` (empty when the
// file is missing).
std::optional<SettingsBytes> readSettingsBytes(const std::filesystem::path& path,
                                               std::string& why) {
  const OpenedFile file = openRegularFile(path);
  if (file.fd < 0) {
    if (!file.missing) why = file.problem;
    return std::nullopt;
  }
  std::array<std::uint8_t, settingsFileSize + 1> buffer;  // one more shows a longer file
  std::size_t length = 0;
  ssize_t got = 0;
  while (length < buffer.size() &&
         (got = ::read(file.fd, buffer.data() + length, buffer.size() - length)) > 0)
    length += static_cast<std::size_t>(got);
  const int readError = got < 0 ? errno : 0;
  ::close(file.fd);
  if (readError != 0)
    why = std::strerror(readError);
  else if (length != settingsFileSize)
    why = "Not " + std::to_string(settingsFileSize) + " bytes long";
  if (!why.empty()) return std::nullopt;
  SettingsBytes bytes;
  std::copy_n(buffer.begin(), bytes.size(), bytes.begin());
  return bytes;
}

// Moves an unusable regular file out of the way of the next save; the second line of the
// load's message.
std::string keepUnusableFileAside(const std::filesystem::path& path) {
  const std::string defaults = "the settings start from their defaults.";
  const std::filesystem::path file = followLinks(path);
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return "It is left as it is and not written over; " + defaults;
  std::string why;
  if (std::optional<std::filesystem::path> aside = keepAside(file, ".unreadable", why))
    return "It was kept as " + aside->string() + "; " + defaults;
  return "It could not be kept aside (" + why + ") and is not written over; " + defaults;
}

}  // namespace

SettingsBytes encodeSettings(const GameSettings& s) {
  SettingsBytes bytes{};
  const TimingSettings& timing = s.timing;
  const EnvironmentSettings& environment = s.environment;
  put(bytes, 0, s.video.mirror);
  put(bytes, 4, timing.periodMinutes);
  put(bytes, 5, timing.movesPerFrame);
  put(bytes, 6, timing.computerSkill);
  put(bytes, 7, environment.skinIndex);
  put(bytes, 8, environment.gravity);
  put(bytes, 16, environment.ballRadius);
  put(bytes, 20, environment.basketSize);
  put(bytes, 24, environment.ringHeight);
  for (std::size_t i = 0; i < s.topTen.size(); ++i) {
    const TopTenEntry& row = s.topTen[i];
    const std::size_t at = topTenOffset + i * rowSize;
    put(bytes, at, row.gameTime);
    put(bytes, at + 4, row.points);
    put(bytes, at + 8, row.score);
    std::string_view name = row.nameView();
    std::memcpy(bytes.data() + at + 12, name.data(), std::min<std::size_t>(name.size(), 11));
  }
  const std::string& device = s.video.videoDeviceName;
  std::memcpy(bytes.data() + deviceNameOffset, device.data(),
              std::min(device.size(), deviceNameField - 1));
  return bytes;
}

GameSettings decodeSettings(const SettingsBytes& bytes) {
  GameSettings s;
  TimingSettings& timing = s.timing;
  EnvironmentSettings& environment = s.environment;
  s.video.mirror = get<std::uint32_t>(bytes, 0);
  timing.periodMinutes = get<std::uint8_t>(bytes, 4);
  timing.movesPerFrame = get<std::uint8_t>(bytes, 5);
  timing.computerSkill = get<std::uint8_t>(bytes, 6);
  environment.skinIndex = get<std::uint8_t>(bytes, 7);
  environment.gravity = get<double>(bytes, 8);
  environment.ballRadius = get<std::int32_t>(bytes, 16);
  environment.basketSize = get<std::int32_t>(bytes, 20);
  environment.ringHeight = get<std::int32_t>(bytes, 24);
  for (std::size_t i = 0; i < s.topTen.size(); ++i) {
    TopTenEntry& row = s.topTen[i];
    const std::size_t at = topTenOffset + i * rowSize;
    row.gameTime = get<std::int32_t>(bytes, at);
    row.points = get<std::int32_t>(bytes, at + 4);
    row.score = get<std::int32_t>(bytes, at + 8);
    std::string name = getText(bytes, at + 12, 12);
    std::memcpy(row.name, name.data(), name.size());
  }
  s.video.videoDeviceName = getText(bytes, deviceNameOffset, deviceNameField);
  sanitizeSettings(s);
  return s;
}

// Values outside what the dialogs produce are replaced one by one, so that no period of 0,
// no odd or absurd ball, no non-positive gravity and no overflowing top-ten row can reach
// the game. Unknown skins stay: they select the noise skin. movesPerFrame 0 stays (one step
// per frame); above 10 it does not.
void sanitizeSettings(GameSettings& s) {
  const GameSettings defaults;
  TimingSettings& timing = s.timing;
  EnvironmentSettings& environment = s.environment;
  if (s.video.mirror > 1) s.video.mirror = defaults.video.mirror;
  if (timing.periodMinutes == 0) timing.periodMinutes = defaults.timing.periodMinutes;
  if (timing.movesPerFrame > 10) timing.movesPerFrame = defaults.timing.movesPerFrame;
  if (timing.computerSkill > 5) timing.computerSkill = defaults.timing.computerSkill;
  if (!std::isfinite(environment.gravity) || environment.gravity <= 0.0 ||
      environment.gravity > 100000.0)
    environment.gravity = defaults.environment.gravity;
  if (!isListedRadius(environment.ballRadius))
    environment.ballRadius = defaults.environment.ballRadius;
  if (environment.basketSize < 30 || environment.basketSize > 400)
    environment.basketSize = defaults.environment.basketSize;
  if (environment.ringHeight < 0 || environment.ringHeight > 2000)
    environment.ringHeight = defaults.environment.ringHeight;
  for (TopTenEntry& row : s.topTen) {
    const bool sane = row.gameTime >= 0 && row.gameTime <= topTenMaxMinutes && row.points >= 0 &&
                      row.points <= topTenMaxPoints && (row.gameTime > 0 || row.points == 0);
    if (!sane) row = TopTenEntry{};
  }
}

std::optional<GameSettings> readSettingsFile(const std::filesystem::path& path, std::string* why) {
  std::string problem;
  std::optional<SettingsBytes> bytes = readSettingsBytes(path, problem);
  if (why != nullptr) *why = problem;
  if (!bytes) return std::nullopt;
  return decodeSettings(*bytes);
}

SettingsLoad loadSettingsFile(const std::filesystem::path& path) {
  std::string why;
  std::optional<GameSettings> settings = readSettingsFile(path, &why);
  if (settings || why.empty()) return {settings, {}};
  return {std::nullopt, {"The settings file " + path.string() + " cannot be used (" + why +
                         ").\n" + keepUnusableFileAside(path)}};
}

SettingsReport writeSettingsFile(const std::filesystem::path& path, const GameSettings& settings,
                                 WriteCall write) {
  // What stands there and does not read back as settings is the user's: the load kept it
  // aside if it could, and it is not written over now.
  std::string why;
  readSettingsFile(path, &why);
  if (why.empty()) why = replaceFile(path, encodeSettings(settings), write);
  if (why.empty()) return {};
  return {"The settings could not be saved to " + path.string() + " (" + why + ")."};
}
