#include <cstdio>

int main() {
  std::puts("Swish Cam");
  return 0;
}
