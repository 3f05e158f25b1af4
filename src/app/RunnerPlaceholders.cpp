#include <cstdio>

#include "app/Runners.h"

// Placeholder until the window lands.
int runWindowed(int, char**, const Options&) { return 0; }
