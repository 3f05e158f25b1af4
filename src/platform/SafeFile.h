#pragma once
#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

// Reading and replacing the files a user keeps, so that nothing is lost on the way: a named
// pipe never blocks, a link is written through, a planted link is never followed, and a
// failed write leaves the old file whole.

// A file opened for reading, or why it was not.
struct OpenedFile {
  int fd = -1;           // open for reading when >= 0; the caller closes it
  bool missing = false;  // nothing at the path
  std::string problem;   // the system's reason, "Is a directory" or "Not a regular file"
};

// Opens `path` for reading only when it is a regular file. A named pipe, a device or a folder
// is refused at once, before anything could block on it.
OpenedFile openRegularFile(const std::filesystem::path& path);

// The file that `path` names after every symbolic link on its last part has been followed;
// `path` itself when it is no link. A loop of links ends on a link, whose open then fails.
std::filesystem::path followLinks(std::filesystem::path path);

// Renames `file` to the first free name of `file` + `suffix`, then with
// 1, 2, … appended, never over an existing file. The new name, or nothing with the system's
// reason in `why`.
std::optional<std::filesystem::path> keepAside(const std::filesystem::path& file,
                                               const char* suffix, std::string& why);

// The write system call, replaceable where a test needs a full disk.
using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

// Writes `bytes` as the new contents of the file at `path`, through a symbolic link when it
// is one: into a new temporary file beside the target, created exclusively, synced, then
// renamed over the target. Keeps the old file's permissions. Empty when done, else the
// system's reason, and the old file is as it was.
std::string replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                        WriteCall write = ::write);
