#include <cstdio>

#include "app/Runners.h"

// Placeholders until the window and the headless runner land.
int runWindowed(int, char**, const Options&) { return 0; }
int runHeadless(const Options&) { return 0; }
std::optional<Options> parseOptions(const std::vector<std::string>&, std::string&) {
  return Options{};
}
