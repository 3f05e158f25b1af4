// The pods a PipeWire camera node sends: its formats (offered and agreed), its property
// descriptions and its property values, and the buffers it then delivers. The first byte
// picks the reader, the rest is the pod; for a stream, the pod is followed by a chunk's
// metadata and the buffer's bytes, which go through the same mode choice, geometry check and
// conversion as a live node's.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "capture/ModeChoice.h"
#include "capture/PictureGeometry.h"
#include "capture/decode/FrameConverter.h"
#include "capture/pipewire/SpaControls.h"
#include "capture/pipewire/SpaFormats.h"

namespace {

// What a chunk of a buffer says of the picture it carries (spa_chunk's offset, size, stride).
struct ChunkReport {
  std::uint32_t offset = 0;
  std::uint32_t size = 0;
  std::int32_t stride = 0;
};

// A stream: the node offers formats, the camera picks one, then one buffer arrives.
void streamOneBuffer(const std::uint8_t* data, std::size_t size) {
  if (size < 2 + sizeof(ChunkReport)) return;
  const std::size_t podLength = std::min<std::size_t>(data[0] | data[1] << 8, size - 2 - sizeof(ChunkReport));
  std::vector<CameraMode> modes;
  appendPodModes(data + 2, podLength, modes);
  const int chosen = chooseCameraMode(modes, nullptr);
  if (chosen < 0) return;
  const CameraMode& mode = modes[static_cast<std::size_t>(chosen)];
  ChunkReport chunk;
  std::memcpy(&chunk, data + 2 + podLength, sizeof chunk);
  const std::uint8_t* buffer = data + 2 + podLength + sizeof chunk;
  const std::size_t capacity = size - 2 - podLength - sizeof chunk;
  PictureGeometry geometry;
  // As the source does: a negative stride turns huge and is refused.
  const auto stride = static_cast<std::uint64_t>(static_cast<std::int64_t>(chunk.stride));
  if (!checkPicture({mode.pixelFormat, static_cast<std::uint64_t>(mode.width),
                     static_cast<std::uint64_t>(mode.height), stride},
                    geometry))
    return;
  const auto picture = deliveredPicture(geometry, buffer, capacity, chunk.offset, chunk.size);
  if (picture.empty()) return;
  static FrameConverter converter;
  converter.configure(geometry);
  converter.convert(picture.data(), picture.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t* pod = data + 1;
  const std::size_t length = size - 1;
  switch (data[0] % 4) {
    case 0: {
      std::vector<CameraMode> modes;
      appendPodModes(pod, length, modes);
      break;
    }
    case 1: {
      std::vector<CameraControl> controls;
      appendPodControl(pod, length, controls);
      takePodValues(pod, length, controls);
      break;
    }
    case 2: {
      std::vector<CameraControl> controls(1);
      controls[0].id = 0x10001;
      takePodValues(pod, length, controls);
      break;
    }
    default: streamOneBuffer(pod, length);
  }
  return 0;
}
