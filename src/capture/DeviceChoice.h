#pragma once
#include <array>
#include <string>
#include <vector>

constexpr int maxDevices = 10;
constexpr std::size_t maxDeviceNameLength = 79;

using DeviceNames = std::array<std::string, maxDevices>;

// The device search over `available` (enumeration order). Lists at most ten names, each cut
// to 79 characters, into `deviceNames`; chooses the first device when `wanted` is empty, else the
// last one whose listed name equals `wanted`, else the last listed device. Returns the chosen
// index, or -1 when nothing is available (the table then keeps its contents).
int chooseCaptureDevice(const std::vector<std::string>& available, const std::string& wanted,
                        DeviceNames& deviceNames, int& deviceCount);
