#pragma once
#include <filesystem>

#include "app/Options.h"

class GameEngine;

// The settings file of this run: the one given on the command line, else the one beside the
// executable.
std::filesystem::path settingsPathFor(const Options& options);
// Command-line choices that override the stored settings for this run.
void applyOptions(GameEngine& engine, const Options& options);
