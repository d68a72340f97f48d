// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/save_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "scores/file_calls.h"
#include "scores/save_target.h"

namespace {

constexpr std::string_view kInfix = ".saving-";
// Marks the first name of a named temporary, before its inode is known. A kill
// in that instant leaves an empty file that start-up cannot prove is one.
constexpr std::string_view kUnprovenInfix = ".saving-new-";
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::size_t kRandomLetters = 6;
constexpr int kNameAttempts = 100;

bool IsLetterOrDigit(char c) { return kLetters.find(c) != std::string_view::npos; }

std::string RandomLetters() {
  std::array<unsigned char, kRandomLetters> noise{};
  if (::getrandom(noise.data(), noise.size(), GRND_NONBLOCK) !=
      static_cast<ssize_t>(noise.size())) {
    // No entropy yet (early boot): any spread will do, O_EXCL settles clashes.
    static std::uint64_t s_nCalls = 0;
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::uint64_t mix = (static_cast<std::uint64_t>(now.tv_nsec) << 20) ^
                        static_cast<std::uint64_t>(::getpid()) ^ (++s_nCalls << 40);
    for (unsigned char& byte : noise) {
      mix = mix * 6364136223846793005u + 1442695040888963407u;
      byte = static_cast<unsigned char>(mix >> 56);
    }
  }
  std::string letters;
  for (const unsigned char byte : noise) letters += kLetters[byte % kLetters.size()];
  return letters;
}

std::string ProvableName(const std::string& targetName, int file) {
  struct stat info {};
  if (::fstat(file, &info) != 0) return {};
  std::string hex;
  for (auto inode = static_cast<std::uint64_t>(info.st_ino); hex.empty() || inode != 0; inode >>= 4)
    hex.insert(hex.begin(), kHexDigits[inode & 15]);
  return targetName + std::string(kInfix) + hex + "-" + RandomLetters();
}

// An unnamed file gets its first name through linkat. AT_EMPTY_PATH needs a
// capability most players lack; the descriptor's entry under /proc does not.
bool LinkUnnamed(int file, int directory, const char* name) {
  if (Files().linkat(file, "", directory, name, AT_EMPTY_PATH) == 0) return true;
  if (errno == EEXIST) return false;
  const std::string self = "/proc/self/fd/" + std::to_string(file);
  if (Files().linkat(AT_FDCWD, self.c_str(), directory, name, AT_SYMLINK_FOLLOW) == 0) return true;
  // Without /proc the file can never be named: tell the caller to use named files.
  if (errno == ENOENT) errno = EOPNOTSUPP;
  return false;
}

bool UnnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the locked temporary its provable name; `link(name)` makes the name.
template <typename Link>
bool NameProvably(SaveTemporary& temporary, const std::string& targetName, Link link) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = ProvableName(targetName, temporary.file.Get());
    if (name.empty()) return false;
    if (link(name.c_str())) {
      temporary.name = std::move(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

std::optional<SaveTemporary> CreateNamed(int directory, const std::string& targetName,
                                         mode_t mode) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string first = targetName + std::string(kUnprovenInfix) + RandomLetters();
    SaveTemporary temporary{
        CFileDescriptor(::openat(directory, first.c_str(),
                                 O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, mode)),
        {}};
    if (!temporary.file.IsOpen()) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    // Locked before it has a name that start-up would look at.
    const bool named = ::flock(temporary.file.Get(), LOCK_EX | LOCK_NB) == 0 &&
                       NameProvably(temporary, targetName, [&](const char* name) {
                         return Files().linkat(directory, first.c_str(), directory, name, 0) == 0;
                       });
    const int error = errno;
    ::unlinkat(directory, first.c_str(), 0);
    if (!named) {
      errno = error;
      return std::nullopt;
    }
    return temporary;
  }
  errno = EEXIST;
  return std::nullopt;
}

void RemoveIfStale(int directory, const std::string& name, ino_t claimed) {
  // Looked at without following anything, and opened only when it is a
  // regular file of ours: opening a device can have effects of its own.
  struct stat seen {};
  if (::fstatat(directory, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(seen.st_mode) || seen.st_uid != ::geteuid() || seen.st_ino != claimed ||
      seen.st_nlink != 1)
    return;
  CFileDescriptor file(
      ::openat(directory, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (!file.IsOpen() || ::fstat(file.Get(), &opened) != 0 || !SameFile(seen, opened)) return;
  if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) return;  // a save under way holds it
  struct stat still {};
  if (::fstatat(directory, name.c_str(), &still, AT_SYMLINK_NOFOLLOW) != 0 ||
      !SameFile(still, opened))
    return;
  ::unlinkat(directory, name.c_str(), 0);
}

}  // namespace

std::optional<SaveTemporary> CreateSaveTemporary(int directory, const std::string& targetName,
                                                 mode_t mode, TemporaryFiles kind) {
  if (kind == TemporaryFiles::UnnamedWhereSupported) {
    CFileDescriptor file(::openat(directory, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
    if (file.IsOpen()) {
      // Nobody else can reach the file yet, so this never waits.
      if (::flock(file.Get(), LOCK_EX) != 0) return std::nullopt;
      return SaveTemporary{std::move(file), {}};
    }
    if (!UnnamedFilesUnsupported(errno)) return std::nullopt;
  }
  return CreateNamed(directory, targetName, mode);
}

bool PublishAsNewFile(int directory, SaveTemporary& temporary, const std::string& targetName) {
  if (temporary.name.empty())
    return LinkUnnamed(temporary.file.Get(), directory, targetName.c_str());
  if (Files().rename(directory, temporary.name.c_str(), directory, targetName.c_str(),
                     RENAME_NOREPLACE) != 0) {
    // A file system without the flag: a second name never replaces anything
    // either, and a file another game made in the same instant is kept.
    if (errno != EINVAL ||
        Files().linkat(directory, temporary.name.c_str(), directory, targetName.c_str(), 0) != 0)
      return false;
    ::unlinkat(directory, temporary.name.c_str(), 0);
  }
  temporary.name.clear();
  return true;
}

bool PublishOverFile(int directory, SaveTemporary& temporary, const std::string& targetName) {
  // The only moment an unnamed temporary has a name: a kill between these two
  // calls leaves a complete file that the next start-up removes.
  if (temporary.name.empty() && !NameProvably(temporary, targetName, [&](const char* name) {
        return LinkUnnamed(temporary.file.Get(), directory, name);
      }))
    return false;
  if (Files().rename(directory, temporary.name.c_str(), directory, targetName.c_str(), 0) != 0)
    return false;
  temporary.name.clear();
  return true;
}

void DiscardSaveTemporary(int directory, SaveTemporary& temporary) {
  if (temporary.name.empty()) return;
  const int error = errno;
  ::unlinkat(directory, temporary.name.c_str(), 0);
  temporary.name.clear();
  errno = error;
}

std::optional<ino_t> SaveTemporaryInode(std::string_view candidate, std::string_view targetName) {
  if (!candidate.starts_with(targetName)) return std::nullopt;
  candidate.remove_prefix(targetName.size());
  if (!candidate.starts_with(kInfix)) return std::nullopt;
  candidate.remove_prefix(kInfix.size());
  const std::size_t dash = candidate.find('-');
  // At most 16 digits, and no leading zero: exactly the name ProvableName gives.
  if (dash == 0 || dash > 16 || (candidate[0] == '0' && dash != 1) ||
      candidate.size() != dash + 1 + kRandomLetters)
    return std::nullopt;
  std::uint64_t inode = 0;
  for (const char c : candidate.substr(0, dash)) {
    const std::size_t digit = kHexDigits.find(c);
    if (digit == std::string_view::npos) return std::nullopt;
    inode = inode << 4 | digit;
  }
  for (const char c : candidate.substr(dash + 1))
    if (!IsLetterOrDigit(c)) return std::nullopt;
  return static_cast<ino_t>(inode);
}

void RemoveStaleSaveTemporaries(const char* path) {
  const auto target = ResolveSaveTarget(path);
  if (!target) return;
  const int listing = ::openat(target->directory.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return;
  DIR* entries = ::fdopendir(listing);
  if (entries == nullptr) {
    ::close(listing);
    return;
  }
  // Collected first: the listing is not changed while it is read.
  std::vector<std::pair<std::string, ino_t>> candidates;
  while (const dirent* entry = ::readdir(entries)) {
    if (const auto inode = SaveTemporaryInode(entry->d_name, target->name))
      candidates.emplace_back(entry->d_name, *inode);
  }
  ::closedir(entries);
  for (const auto& [name, inode] : candidates) RemoveIfStale(target->directory.Get(), name, inode);
}
