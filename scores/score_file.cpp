// SPDX-License-Identifier: GPL-3.0-or-later
// The reading half of score_file.h; whole_file_write.cpp holds the writing.
#include "scores/score_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "scores/brief_lock.h"
#include "scores/file_descriptor.h"
#include "scores/save_target.h"

namespace {

// Looks again when the name changes under the load, as a save does.
constexpr int kLoadAttempts = 4;

enum class Opened { File, NotRegular, Raced };

// Opens `name` for reading only once it is known to be a regular file: an
// O_PATH descriptor pins what the name is without opening it (opening a
// device can have effects of its own, a FIFO can block), and that very inode
// is then opened through /proc. `follow` is 0 or O_NOFOLLOW.
Opened OpenRegular(int directory, const char* name, int follow, CFileDescriptor& file,
                   struct stat& info) {
  const CFileDescriptor pinned(::openat(directory, name, O_PATH | O_CLOEXEC | follow));
  if (!pinned.IsOpen()) return errno == ELOOP && follow ? Opened::Raced : Opened::NotRegular;
  if (::fstat(pinned.Get(), &info) != 0) return Opened::NotRegular;
  if (S_ISLNK(info.st_mode)) return Opened::Raced;
  if (!S_ISREG(info.st_mode)) return Opened::NotRegular;
  constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  const std::string self = "/proc/self/fd/" + std::to_string(pinned.Get());
  file = CFileDescriptor(::open(self.c_str(), kFlags));
  // Without /proc the name is opened again, and checked once open.
  if (!file.IsOpen() && errno == ENOENT)
    file = CFileDescriptor(::openat(directory, name, kFlags | follow));
  struct stat opened {};
  if (!file.IsOpen() || ::fstat(file.Get(), &opened) != 0) return Opened::NotRegular;
  return SameFile(opened, info) ? Opened::File : Opened::Raced;
}

std::optional<RegularFileRead> ReadAll(int file, const struct stat& info,
                                       std::span<unsigned char> buffer) {
  RegularFileRead result;
  result.fileSize = static_cast<std::int64_t>(info.st_size);
  while (result.bytesRead < buffer.size()) {
    const ssize_t got =
        ::read(file, buffer.data() + result.bytesRead, buffer.size() - result.bytesRead);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    result.bytesRead += static_cast<std::size_t>(got);
  }
  return result;
}

}  // namespace

std::optional<RegularFileRead> ReadRegularFile(const char* path, std::span<unsigned char> buffer) {
  CFileDescriptor file;
  struct stat info {};
  if (OpenRegular(AT_FDCWD, path, 0, file, info) != Opened::File) return std::nullopt;
  return ReadAll(file.Get(), info, buffer);
}

std::optional<RegularFileRead> ReadScoreFile(const char* path, std::span<unsigned char> buffer) {
  for (int attempt = 0; attempt < kLoadAttempts; ++attempt) {
    const auto target = ResolveSaveTarget(path);
    if (!target) return std::nullopt;
    CFileDescriptor file;
    struct stat info {};
    switch (OpenRegular(target->directory.Get(), target->name.c_str(), O_NOFOLLOW, file, info)) {
      case Opened::Raced:
        continue;
      case Opened::NotRegular:
        return std::nullopt;
      case Opened::File:
        break;
    }
    if (info.st_nlink > 1 && IsDirectoryOthersMayWrite(target->directory.Get()))
      return std::nullopt;
    // A rewrite in place under way would be read half done.
    LockBriefly(file.Get(), LOCK_SH);
    return ReadAll(file.Get(), info, buffer);
  }
  return std::nullopt;
}
