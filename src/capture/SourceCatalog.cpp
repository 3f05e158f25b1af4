#include "capture/FrameSource.h"

std::vector<std::string> SourceCatalog::deviceNames() {
  std::vector<std::string> names;
  listed.clear();
  for (SourceProvider* provider : providers) {
    std::vector<std::string> own = provider->deviceNames();
    for (std::size_t i = 0; i < own.size(); ++i) {
      names.push_back(std::move(own[i]));
      listed.emplace_back(provider, i);
    }
  }
  return names;
}

std::unique_ptr<FrameSource> SourceCatalog::open(std::size_t index, CaptureError& error) {
  if (index >= listed.size()) {
    error = CaptureError::NoDevice;
    return nullptr;
  }
  auto [provider, own] = listed[index];
  error = CaptureError::None;
  return provider->open(own, error);
}
