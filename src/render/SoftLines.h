#pragma once
#include "model/Court.h"

// Drawing into the court's pictures at heights above the bottom row, in which the court's
// shapes are measured (their rounding depends on it). Pixels outside the field are skipped.

// A tent-shaped line about five pixels wide, blended over the backdrop; it writes its
// solidity `code` into the court map and, with `toOverlay`, draws into the front layer.
void drawSoftLine(Court& court, int x1, int y1, int x2, int y2, Rgb colour, int code,
                  bool toOverlay);
// The inclusive box (x1, y1)–(x2, y2) in one colour, backdrop only.
void fillBox(Court& court, const PixelBox& box, Rgb colour);
// Half of the ellipse inscribed in (x1, y1)–(x2, y2), upper for direction +1, lower for −1,
// as a chain of soft lines of code 0.
void drawHalfEllipse(Court& court, const PixelBox& box, Rgb colour, int direction,
                     bool toOverlay);
