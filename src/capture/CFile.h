#pragma once
#include <cstdio>
#include <memory>

// A C stream that closes itself. The Y4M files use C streams for their plain, buffered,
// allocation-free reads and writes of whole frames.
struct CFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>;
