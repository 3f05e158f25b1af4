#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "clips/ClipHistory.h"
#include "clips/H264Encoder.h"

// A clip as an MP4 file in memory: its H.264 frames as they were encoded, the frames before
// its start hidden by an edit list, and its sounds mixed and encoded as AAC (FFmpeg's own
// encoder). Empty when done, else the reason.
std::string writeMp4(const ClipCut& clip, const ClipVideoFormat& video,
                     std::vector<std::uint8_t>& file);
