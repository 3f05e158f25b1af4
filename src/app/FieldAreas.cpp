#include "app/FieldAreas.h"

#include "engine/GameEngine.h"

namespace {

bool inSideStrip(const GameEngine& engine, int x) {
  return x < engine.leftRingRect.right || x > engine.rightRingRect.left;
}

}  // namespace

ClickTargets clickTargets(const GameEngine& engine, int x, int y) {
  const bool strip = inSideStrip(engine, x);
  const int edge = engine.scoreBoxRect.bottom;
  return {engine.frameRect.contains(x, y),
          engine.scoreBoxRect.contains(x, y) || (strip && y < edge),
          strip && y > edge};
}

bool showsFieldCursor(const GameEngine& engine, int x, int y) {
  return engine.frameRect.contains(x, y) || engine.scoreBoxRect.contains(x, y) ||
         (inSideStrip(engine, x) && y != engine.scoreBoxRect.bottom);
}
