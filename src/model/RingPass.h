#pragma once

// A shot on its way through a ring. Both rings share the flags: their areas never overlap.
struct RingPass {
  bool inRing = false;       // the centre entered a ring from above; the game cannot end
  bool throughRing = false;  // it left through the ring's bottom (within one ring test)
};
