#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "capture/v4l2/V4l2Io.h"

namespace {

// Node number of "videoN", or -1 for any other name.
int nodeNumber(const std::string& name) {
  constexpr std::string_view prefix = "video";
  if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return -1;
  int number = 0;
  for (std::size_t i = prefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9' || number > 100000) return -1;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

class SystemV4l2Io final : public V4l2Io {
 public:
  std::vector<std::string> nodes() override {
    std::vector<std::pair<int, std::string>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
      const int number = nodeNumber(entry.path().filename().string());
      if (number >= 0) found.emplace_back(number, entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& [number, path] : found) paths.push_back(std::move(path));
    return paths;
  }
  int open(const std::string& path) override {
    return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  }
  int close(int fd) override { return ::close(fd); }
  int ioctl(int fd, unsigned long request, void* argument) override {
    int result;
    do result = ::ioctl(fd, request, argument);
    while (result == -1 && errno == EINTR);
    return result;
  }
  void* mmap(std::size_t length, int fd, off_t offset) override {
    return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
  }
  int munmap(void* address, std::size_t length) override { return ::munmap(address, length); }
  int poll(pollfd* fds, nfds_t count, int timeoutMs) override {
    return ::poll(fds, count, timeoutMs);
  }
};

}  // namespace

V4l2Io& systemV4l2Io() {
  static SystemV4l2Io io;
  return io;
}
