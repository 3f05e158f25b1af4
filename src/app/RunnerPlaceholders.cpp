#include <cstdio>

#include "app/Runners.h"

// Placeholders until the headless runner lands.
int runHeadless(const Options&) { return 0; }
std::optional<Options> parseOptions(const std::vector<std::string>&, std::string&) {
  return Options{};
}
