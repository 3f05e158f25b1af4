#include "app/FieldAreas.h"

#include "model/Court.h"

namespace {

bool inSideStrip(const Court& court, int x) {
  return x < court.leftRingRect.right || x > court.rightRingRect.left;
}

}  // namespace

ClickTargets clickTargets(const Court& court, int x, int y) {
  if (!court.fieldRect.contains(x, y)) return {};
  const bool strip = inSideStrip(court, x);
  const int edge = court.scoreBoxRect.bottom;
  return {court.frameRect.contains(x, y),
          court.scoreBoxRect.contains(x, y) || (strip && y < edge),
          strip && y > edge};
}

bool showsFieldCursor(const Court& court, int x, int y) {
  if (!court.fieldRect.contains(x, y)) return false;
  return court.frameRect.contains(x, y) || court.scoreBoxRect.contains(x, y) ||
         (inSideStrip(court, x) && y != court.scoreBoxRect.bottom);
}
