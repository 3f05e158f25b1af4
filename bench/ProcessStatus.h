#pragma once
#include <fstream>
#include <string>

// A line of /proc/self/status in kB: "VmHWM" the peak resident set so far, "VmRSS" the
// current one.
inline double statusKilobytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string name; status >> name;) {
    if (name == field + ":") {
      double kilobytes = 0;
      status >> kilobytes;
      return kilobytes;
    }
    status.ignore(1 << 10, '\n');
  }
  return -1;
}
