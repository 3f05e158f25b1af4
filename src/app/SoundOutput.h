#pragma once
#include <algorithm>
#include <chrono>

#include "audio/SoundQueue.h"

// Where the window thread sends the game's sounds.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void play(Sound sound, float volume) = 0;
};

// How long sounds waited between the frame step and the call that starts them.
struct SoundDelays {
  std::chrono::steady_clock::duration longest{};
  std::chrono::steady_clock::duration total{};
  long played = 0;
};

// Plays what the frame step recorded; muted, the queue is emptied all the same.
inline void playRecordedSounds(SoundQueue& queue, SoundOutput& output, bool muted, float volume,
                               SoundDelays& delays) {
  SoundEvent event;
  while (queue.pop(event)) {
    if (muted) continue;
    const auto waited = std::chrono::steady_clock::now() - event.at;
    delays.longest = std::max(delays.longest, waited);
    delays.total += waited;
    ++delays.played;
    output.play(event.sound, event.volume * volume);
  }
}
