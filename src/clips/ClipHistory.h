#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "audio/Sound.h"

// One encoded picture of the field.
struct EncodedFrame {
  std::int64_t ms = 0;  // game time at which it was shown
  bool key = false;     // decodable without the frames before it
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;  // shared with the clips cut from it
};

// One sound the game made.
struct SoundMark {
  Sound sound = Sound::Bounce;
  float volume = 1.0f;    // 0–1
  std::int64_t ms = 0;    // game time at which it started
};

// What one clip holds. Its time 0 is startMs, the first frame it shows; the frames before
// it (from the key frame the picture is decoded from) lead in and are not shown.
struct ClipCut {
  std::vector<EncodedFrame> frames;
  std::vector<SoundMark> sounds;  // every sound still heard at startMs or later
  std::int64_t startMs = 0;
  std::int64_t endMs = 0;         // when the last frame stops being shown
};

// The last seconds of play, encoded: the frames from the key frame that a clip of `keptMs`
// ending now needs, and the sounds of that time. Older frames go a key frame's group at a
// time, also whenever the frames hold more than `byteLimit` bytes.
class ClipHistory {
 public:
  ClipHistory(std::int64_t keptMs, std::size_t byteLimit) : m_keptMs(keptMs), m_byteLimit(byteLimit) {}

  void addFrame(EncodedFrame frame);
  void addSound(const SoundMark& mark);
  void clear();

  // The frames shown from `endMs` − `lengthMs` until before `endMs`; nothing while no key
  // frame lies in that time.
  std::optional<ClipCut> cut(std::int64_t endMs, std::int64_t lengthMs) const;

  bool empty() const { return m_frames.empty(); }
  std::int64_t newestMs() const { return m_frames.empty() ? 0 : m_frames.back().ms; }
  // The gap between the two newest frames, the best guess at how long the newest is shown.
  std::int64_t newestIntervalMs() const;
  std::size_t bytes() const { return m_bytes; }

 private:
  void forgetOld();

  std::int64_t m_keptMs;
  std::size_t m_byteLimit;
  std::deque<EncodedFrame> m_frames;
  std::deque<SoundMark> m_sounds;
  std::size_t m_bytes = 0;  // encoded bytes of m_frames
};
