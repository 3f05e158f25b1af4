// Writes the application icon, drawn by the program's own code, as a PNG for installation.
#include <cstdio>
#include <cstdlib>

#include "app/AppIcon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SIZE FILE.png\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[1]);
  if (size < 16 || size > 1024 || !drawAppIcon(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
