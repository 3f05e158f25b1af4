#pragma once
#include <cstdint>
#include <vector>

#include "audio/Sound.h"

inline constexpr int soundSampleRate = 44100;  // Hz

// The program makes its sounds itself: mono 16-bit samples at soundSampleRate, full scale,
// the same every time.
std::vector<std::int16_t> synthesize(Sound sound);
// A RIFF/WAVE file of mono 16-bit samples.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& samples, int sampleRate);
