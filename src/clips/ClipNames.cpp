#include "clips/ClipNames.h"

#include <string>

std::filesystem::path clipPath(const std::filesystem::path& folder, std::time_t when,
                               const std::function<bool(const std::filesystem::path&)>& taken) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "swishcam-%Y%m%d-%H%M%S", &local);
  std::filesystem::path path = folder / (std::string(stamp) + ".mp4");
  for (int n = 2; taken(path); ++n) path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".mp4");
  return path;
}
