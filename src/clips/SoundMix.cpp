#include "clips/SoundMix.h"

#include <algorithm>
#include <array>

#include "audio/SoundSynth.h"

std::vector<float> mixSounds(const std::vector<SoundMark>& sounds, std::int64_t startMs,
                             std::int64_t endMs) {
  const std::int64_t length = std::max<std::int64_t>(0, (endMs - startMs) * soundSampleRate / 1000);
  std::vector<float> mix(static_cast<std::size_t>(length), 0.0f);
  std::array<std::vector<std::int16_t>, soundCount> synthesized;  // each sound made once
  for (const SoundMark& mark : sounds) {
    std::vector<std::int16_t>& samples = synthesized[static_cast<std::size_t>(mark.sound)];
    if (samples.empty()) samples = synthesize(mark.sound);
    const std::int64_t at = (mark.ms - startMs) * soundSampleRate / 1000;
    const std::int64_t from = std::max<std::int64_t>(0, -at);
    const std::int64_t to = std::min<std::int64_t>(static_cast<std::int64_t>(samples.size()), length - at);
    for (std::int64_t i = from; i < to; ++i)
      mix[static_cast<std::size_t>(at + i)] += mark.volume * samples[static_cast<std::size_t>(i)] / 32768.0f;
  }
  for (float& sample : mix) sample = std::clamp(sample, -1.0f, 1.0f);
  return mix;
}
