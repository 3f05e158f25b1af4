#include "capture/ReplaySource.h"

bool ReplaySource::open(const std::filesystem::path& path, std::string& error) {
  m_next = 0;
  return m_reader.open(path, error);
}

bool ReplaySource::paint(std::uint8_t* frame) {
  if (!m_reader.readFrame(m_next, frame)) return false;
  m_next = (m_next + 1) % m_reader.frameCount();
  return true;
}

std::string replayDeviceName(const std::filesystem::path& path) {
  return "Replay: " + path.filename().string();
}
