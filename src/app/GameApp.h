#pragma once
#include <filesystem>

#include "app/Options.h"

// The settings file of this run: the one given on the command line, else the one beside the
// executable.
std::filesystem::path settingsPathFor(const Options& options);
