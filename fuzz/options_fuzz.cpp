// Command lines: the input split at NUL bytes into arguments. A refused line must say why.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\0')
      arguments.emplace_back();
    else
      arguments.back().push_back(static_cast<char>(data[i]));
  }
  std::string error;
  if (!parseOptions(arguments, error) && error.empty()) std::abort();
  return 0;
}
