// The settings file as the game reads it at start: any 360 bytes. What the decoder lets
// through must already be sane (sanitizing it again changes nothing), and it must survive
// being written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SettingsBytes bytes{};
  std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
  const GameSettings decoded = decodeSettings(bytes);
  GameSettings again = decoded;
  sanitizeSettings(again);
  const SettingsBytes stored = encodeSettings(decoded);
  if (encodeSettings(again) != stored) std::abort();
  if (encodeSettings(decodeSettings(stored)) != stored) std::abort();
  return 0;
}
