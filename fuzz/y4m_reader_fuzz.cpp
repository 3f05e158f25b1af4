// A recorded file as --replay opens it: the header line, the FRAME lines and the planes of
// the first few frames.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture/FrameImage.h"
#include "capture/Y4mReader.h"

namespace {

constexpr std::size_t framesRead = 3;  // later frames take the same path

// The reader opens a path, so every input goes into one in-memory file that it reopens.
struct MemoryFile {
  int fd = memfd_create("y4m", 0);
  std::string path = "/proc/self/fd/" + std::to_string(fd);
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const MemoryFile file;
  if (ftruncate(file.fd, 0) != 0 || pwrite(file.fd, data, size, 0) != static_cast<ssize_t>(size))
    return 0;
  Y4mReader reader;
  std::string error;
  if (!reader.open(file.path, error)) return 0;
  std::vector<std::uint8_t> frame(frameBytes(reader.header().width, reader.header().height));
  for (std::size_t i = 0; i < reader.frameCount() && i < framesRead; ++i)
    reader.readFrame(i, frame.data());
  return 0;
}
