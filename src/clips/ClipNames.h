#pragma once
#include <ctime>
#include <filesystem>
#include <functional>

// "swishcam-20261207-125503.mp4" for a clip saved at that local time; when that name is
// `taken`, "-2", "-3", … before the extension.
std::filesystem::path clipPath(const std::filesystem::path& folder, std::time_t when,
                               const std::function<bool(const std::filesystem::path&)>& taken);
