#pragma once
#include <string>

#include "model/Court.h"
#include "platform/FieldSurface.h"

// Paints one three-digit display (1 left, 2 right) into the backdrop and copies the score
// box to the surface; it is presented only while `windowAlive`.
void showScore(Court& court, FieldSurface& surface, bool windowAlive, int display, int points);
// The players' names at the top corners of the surface.
void drawPlayerNames(FieldSurface& surface, int fieldWidth, const std::string& leftName,
                     const std::string& rightName);
