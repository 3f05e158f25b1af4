#pragma once
#include "model/Geometry.h"

// Where a window goes that shows a field, and how large that field is.
struct WindowPlacement {
  int x = 0;             // px, the outer top-left corner on the screen
  int y = 0;
  Size outer;            // px, with the frame
  Size field;            // px, the field the window holds
  bool scaled = false;   // too large for the screen: the window shows the field scaled down
};

// Grows the field from `current` (never shrinking it) to hold `needed`, with the window's
// width, frame included, rounded down to a multiple of 4. A window that fits the available
// area holds the field 1:1; one that does not is shrunk to fit it with the field's aspect
// kept. Either way it is centred on the available area; an empty area (no screen) holds
// anything at its top left. `frame` is the window's outer size minus its client size.
WindowPlacement placeWindowFor(Size needed, Size current, Size frame, const Rect& available);
