// The pods a PipeWire camera node sends: its formats (offered and agreed), its property
// descriptions and its property values. The first byte picks the reader, the rest is the pod.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/pipewire/SpaControls.h"
#include "capture/pipewire/SpaFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::uint8_t* pod = data + 1;
  const std::size_t length = size - 1;
  switch (data[0] % 3) {
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
    default: {
      std::vector<CameraControl> controls(1);
      controls[0].id = 0x10001;
      takePodValues(pod, length, controls);
      break;
    }
  }
  return 0;
}
