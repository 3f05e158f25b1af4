#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/CameraSettings.h"

struct spa_pod;

// The fourcc our converters know for a SPA raw video format (SPA_VIDEO_FORMAT_*), or 0.
std::uint32_t fourccOfSpaFormat(std::uint32_t spaFormat);
// The other way; 0 (SPA_VIDEO_FORMAT_UNKNOWN) for MJPEG and for fourccs PipeWire has not.
std::uint32_t spaFormatOfFourcc(std::uint32_t fourcc);

// Adds the modes that one format pod (a node's EnumFormat entry, or a negotiated Format)
// describes and that we can convert, skipping any already in `modes`. A range of sizes
// gives its default and the common sizes inside it; a range of rates its default and its
// fastest. Malformed pods add nothing.
void appendPodModes(const void* pod, std::size_t length, std::vector<CameraMode>& modes);

// Writes into `buffer` a Format pod that asks for exactly `mode`; a mode without a rate
// accepts any. Null when the mode cannot be asked for or the buffer is too small.
const spa_pod* buildFormatPod(const CameraMode& mode, std::uint8_t* buffer, std::size_t size);
