#pragma once
#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// The few system calls the cameras need, behind one interface so that a fake device can
// stand in for the kernel. Each call behaves as its system call: -1 (or MAP_FAILED) with
// errno set on failure.
class V4l2Io {
 public:
  virtual ~V4l2Io() = default;
  // The /dev/video* nodes, ordered by node number.
  virtual std::vector<std::string> nodes() = 0;
  virtual int open(const std::string& path) = 0;  // read-write, non-blocking
  virtual int close(int fd) = 0;
  virtual int ioctl(int fd, unsigned long request, void* argument) = 0;
  virtual void* mmap(std::size_t length, int fd, off_t offset) = 0;
  virtual int munmap(void* address, std::size_t length) = 0;
  virtual int poll(pollfd* fds, nfds_t count, int timeoutMs) = 0;
};

// A fixed-size, possibly unterminated name field of a V4L2 structure as text.
inline std::string v4l2Text(const std::uint8_t* text, std::size_t capacity) {
  const char* chars = reinterpret_cast<const char*>(text);
  return std::string(chars, strnlen(chars, capacity));
}

// The kernel itself.
V4l2Io& systemV4l2Io();
