#pragma once
#include "support/EngineScene.h"

// The court of a 640 × 480 camera with default settings, set by hand so that the demo
// camera's tests need no court drawing: a 1068 × 600 field, the picture at the bottom
// centre, the rings 89 px high with their tops 367 px down.
inline void layOutDemoCourt(GameEngine& engine) {
  engine.frameWidth = 640;
  engine.frameHeight = 480;
  engine.fieldWidth = 1068;
  engine.fieldHeight = 600;
  engine.fieldRect = {0, 0, 1068, 600};
  engine.frameRect = {214, 120, 854, 600};
  engine.leftRingRect = {42, 367, 154, 456};
  engine.rightRingRect = {914, 367, 1026, 456};
}
