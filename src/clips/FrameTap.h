#pragma once
#include <cstdint>

#include "audio/Sound.h"
#include "platform/FieldSurface.h"

// Where the frame step hands what the player saw and heard, for a recording of the last
// seconds of play. Called on the capture thread; an implementation takes note and returns
// at once: it never allocates, blocks or takes a lock there. Ticks are the game clock's ms.
class FrameTap {
 public:
  virtual ~FrameTap() = default;

  // The field has a new size; called by each layout, while the capture is stopped, so
  // that the frames that follow need no allocation.
  virtual void fieldLaidOut(int width, int height) = 0;
  // The field has been composed for the frame of `tick`. Called with drawLock held; the
  // field may be read later, under drawLock, until the next layout.
  virtual void fieldShown(const FieldSurface& field, std::uint32_t tick) = 0;
  // A sound the game made at `tick`.
  virtual void soundMade(Sound sound, float volume, std::uint32_t tick) = 0;
};
