#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr int maxLinkHops = 40;       // as the kernel's own limit for a path
constexpr int maxNumberedNames = 100;

std::string notUsable(const struct stat& status) {
  return S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
}

// Runs `attempt` on base + suffix, then base + suffix + "1", "2", … while the name is taken
// (EEXIST); its result, with errno from the last attempt.
template <typename Attempt>
int onFreeName(const std::filesystem::path& base, const char* suffix,
               std::filesystem::path& name, Attempt attempt) {
  for (int n = 0; n < maxNumberedNames; ++n) {
    name = base;
    name += suffix;
    if (n > 0) name += std::to_string(n);
    const int result = attempt(name);
    if (result >= 0 || errno != EEXIST) return result;
  }
  return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes, WriteCall write) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (done == 0) errno = EIO;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(done));
  }
  return true;
}

// Makes the rename itself last through a power cut; a folder that cannot be synced changes
// nothing for the file.
void syncFolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

OpenedFile openRegularFile(const std::filesystem::path& path) {
  OpenedFile file;
  struct stat status {};
  // Looked at before the open, which has effects of its own on some devices.
  if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    file.problem = notUsable(status);
    return file;
  }
  file.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file.fd < 0) {
    file.missing = errno == ENOENT;
    file.problem = std::strerror(errno);
    return file;
  }
  // Something else may stand at the path by now.
  if (::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    file.problem = notUsable(status);
    ::close(file.fd);
    file.fd = -1;
  }
  return file;
}

std::filesystem::path followLinks(std::filesystem::path path) {
  std::error_code error;
  for (int hop = 0; hop < maxLinkHops && std::filesystem::is_symlink(path, error); ++hop) {
    const std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

std::optional<std::filesystem::path> keepAside(const std::filesystem::path& file,
                                               const char* suffix, std::string& why) {
  std::filesystem::path aside;
  const int result = onFreeName(file, suffix, aside, [&file](const std::filesystem::path& name) {
    return ::renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE);
  });
  if (result == 0) return aside;
  why = std::strerror(errno);
  return std::nullopt;
}

std::string replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                        WriteCall write) {
  const std::filesystem::path target = followLinks(path);
  std::filesystem::path temporary;
  // O_EXCL with O_CREAT refuses any name that exists, a planted link above all.
  const int fd = onFreeName(target, ".tmp", temporary, [](const std::filesystem::path& name) {
    return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  });
  if (fd < 0) return std::strerror(errno);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  int failure = writeAll(fd, bytes, write) ? 0 : errno;
  if (failure == 0 && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporary.c_str());
    return std::strerror(failure);
  }
  syncFolderOf(target);
  return {};
}
