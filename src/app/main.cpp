#include <cstdio>
#include <string>
#include <vector>

#include "app/Runners.h"

int main(int argc, char** argv) {
  std::string error;
  std::optional<Options> options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (options->help || options->version) {
    std::printf("%s\n", options->help ? usageText().c_str() : "swishcam " SWISH_VERSION);
    return 0;
  }
  return options->headless ? runHeadless(*options) : runWindowed(argc, argv, *options);
}
