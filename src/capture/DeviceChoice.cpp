#include "capture/DeviceChoice.h"

int chooseCaptureDevice(const std::vector<std::string>& available, const std::string& wanted,
                        DeviceNames& deviceNames, int& deviceCount) {
  if (available.empty()) return -1;
  deviceCount = 0;
  int chosen = -1;
  for (const std::string& name : available) {
    std::string& entry = deviceNames[deviceCount];
    entry = name.substr(0, maxDeviceNameLength);
    ++deviceCount;
    bool firstForEmpty = deviceCount == 1 && wanted.empty();
    if (firstForEmpty || wanted == entry) chosen = deviceCount - 1;
    if (deviceCount == maxDevices) break;
  }
  for (int i = deviceCount; i < maxDevices; ++i) deviceNames[i].clear();
  return chosen >= 0 ? chosen : deviceCount - 1;
}
