#pragma once
#include <string>

#include "app/Options.h"

// The windowed game; returns the process exit status.
int runWindowed(int argc, char** argv, const Options& options);
// A whole game without a window, driven by a simulated clock; prints one JSON line.
int runHeadless(const Options& options);
// A message for the user on stderr, as one line after "swishcam: ".
void printForUser(const std::string& message);
