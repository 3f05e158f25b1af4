#pragma once
#include <cstdint>
#include <vector>

#include "clips/ClipHistory.h"

// The sounds of a clip as they were heard: each synthesized sound added at its time and
// volume, mono at soundSampleRate, from `startMs` until before `endMs`. A sound that began
// before `startMs` is heard from the middle; loud overlaps are clipped at full scale.
std::vector<float> mixSounds(const std::vector<SoundMark>& sounds, std::int64_t startMs,
                             std::int64_t endMs);
