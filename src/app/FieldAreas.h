#pragma once

struct Court;

// The settings dialogs a click opens, in the order they are tried with the same point.
enum class FieldArea { Video, Players, Environment };

struct ClickTargets {
  bool video = false;        // on the camera picture
  bool players = false;      // on the score box, or in a side strip above its bottom edge
  bool environment = false;  // in a side strip below the score box's bottom edge
};

// Field pixels, right and bottom edges of the rectangles outside them. The side strips are
// left of the left ring's right edge and right of the right ring's left edge; the row of the
// score box's bottom edge belongs to neither of their parts. Nothing outside the field is
// clickable: the black bars around a scaled field, the rest of a window not yet laid out.
ClickTargets clickTargets(const Court& court, int x, int y);
// Where the program's own cursor is shown: over every clickable place.
bool showsFieldCursor(const Court& court, int x, int y);
