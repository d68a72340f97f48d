// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/save_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace {

// As many links as the kernel itself follows before it gives up.
constexpr int kMaxLinksFollowed = 40;

// Splits "a/b/c" into "a/b" and "c", "c" into "." and "c".
std::pair<std::string, std::string> SplitLastComponent(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Whoever else may write a directory can plant a link in it, aiming this
// user's load at a private file (to have its bytes merged into a file he can
// read) or the save at one (to have it overwritten). So a link there is
// followed only when it is this user's or the directory owner's, the
// kernel's protected_symlinks rule for sticky directories, here for any
// directory a group or others may write, sticky or not.
bool OthersMayWrite(const struct stat& directory) {
  return (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool MayFollow(const std::string& linkPath, const struct stat& link) {
  struct stat directory {};
  if (::stat(SplitLastComponent(linkPath).first.c_str(), &directory) != 0) return false;
  return !OthersMayWrite(directory) || link.st_uid == ::geteuid() ||
         link.st_uid == directory.st_uid;
}

std::optional<std::string> ReadLink(const std::string& path) {
  std::array<char, 4096> text{};
  const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
    if (length >= 0) errno = ENAMETOOLONG;
    return std::nullopt;
  }
  return std::string(text.data(), static_cast<std::size_t>(length));
}

}  // namespace

bool IsDirectoryOthersMayWrite(int directory) {
  struct stat info {};
  return ::fstat(directory, &info) != 0 || OthersMayWrite(info);
}

std::optional<SaveTarget> ResolveSaveTarget(const char* path) {
  std::string current(path);
  for (int followed = 0;; ++followed) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return std::nullopt;
      break;  // absent: the name a plain open would create
    }
    if (!S_ISLNK(info.st_mode)) break;
    if (followed == kMaxLinksFollowed) {
      errno = ELOOP;
      return std::nullopt;
    }
    if (!MayFollow(current, info)) {
      errno = EACCES;  // what the kernel's own rule answers
      return std::nullopt;
    }
    const auto link = ReadLink(current);
    if (!link) return std::nullopt;
    // A relative link counts from the directory that holds it.
    current = link->front() == '/' ? *link : SplitLastComponent(current).first + "/" + *link;
  }

  auto [directory, name] = SplitLastComponent(current);
  if (name.empty() || name == "." || name == "..") {
    errno = EISDIR;
    return std::nullopt;
  }
  SaveTarget target{CFileDescriptor(::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)),
                    std::move(name)};
  if (!target.directory.IsOpen()) return std::nullopt;
  return target;
}
