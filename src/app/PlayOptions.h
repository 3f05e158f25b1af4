#pragma once
#include "app/Options.h"

class GameEngine;

// Puts the players, timings and mirror given on the command line into the engine, as the
// dialogs would. Call before openCamera, which lays the court out for them.
void applyPlayOptions(const Options& options, GameEngine& engine);
