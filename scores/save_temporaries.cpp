// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/save_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
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
// in that instant leaves an empty file: start-up removes it for what it
// holds, nothing.
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

// Moves a name without replacing anything. A file system without
// RENAME_NOREPLACE gets a second name, then loses the first one: a kill in
// between leaves both, which start-up knows for one file.
bool MoveWithoutReplacing(int directory, const char* from, const char* to) {
  if (Files().rename(directory, from, directory, to, RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL || Files().linkat(directory, from, directory, to, 0) != 0) return false;
  ::unlinkat(directory, from, 0);
  return true;
}

// `name` still leads to `file`: a starting game may have taken it for a
// killed save's and removed it before it was locked.
bool StillNamed(int directory, const std::string& name, int file) {
  struct stat named {};
  struct stat opened {};
  return ::fstatat(directory, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         ::fstat(file, &opened) == 0 && SameFile(named, opened);
}

std::optional<SaveTemporary> CreateNamed(int directory, const std::string& targetName,
                                         mode_t mode) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string first = targetName + std::string(kUnprovenInfix) + RandomLetters();
    SaveTemporary temporary{
        CFileDescriptor(Files().openat(directory, first.c_str(),
                                       O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, mode)),
        {}};
    if (!temporary.file.IsOpen()) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    // Locked before it has a name that start-up would take for a proven one.
    if (::flock(temporary.file.Get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EWOULDBLOCK) continue;  // a starting game has it, and removes it
      const int error = errno;
      ::unlinkat(directory, first.c_str(), 0);
      errno = error;
      return std::nullopt;
    }
    if (!StillNamed(directory, first, temporary.file.Get())) continue;
    // Renamed, not linked: the file has one name at every moment.
    if (!NameProvably(temporary, targetName, [&](const char* name) {
          return MoveWithoutReplacing(directory, first.c_str(), name);
        })) {
      const int error = errno;
      ::unlinkat(directory, first.c_str(), 0);
      errno = error;
      return std::nullopt;
    }
    return temporary;
  }
  errno = EEXIST;
  return std::nullopt;
}

// A name CreateNamed gives first: "<target>.saving-new-" and six letters.
bool IsUnprovenTemporaryName(std::string_view candidate, std::string_view targetName) {
  if (!candidate.starts_with(targetName)) return false;
  candidate.remove_prefix(targetName.size());
  if (!candidate.starts_with(kUnprovenInfix)) return false;
  candidate.remove_prefix(kUnprovenInfix.size());
  return candidate.size() == kRandomLetters &&
         std::all_of(candidate.begin(), candidate.end(), IsLetterOrDigit);
}

struct StaleCandidate {
  std::string name;
  std::optional<ino_t> claimed;  // nothing for a first name, which proves nothing
  // The one other name the file may have: the first name it was renamed
  // from, or the score file's own, when a kill came between a link and an
  // unlink. Empty when it must have one name only.
  std::string otherName;
};

void RemoveIfStale(int directory, const StaleCandidate& candidate) {
  // Looked at without following anything, and opened only when it is a
  // regular file of ours: opening a device can have effects of its own.
  struct stat seen {};
  if (::fstatat(directory, candidate.name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(seen.st_mode) || seen.st_uid != ::geteuid() ||
      (candidate.claimed && seen.st_ino != *candidate.claimed))
    return;
  // A first name is proven by what a killed save leaves under it: nothing.
  if (!candidate.claimed && seen.st_size != 0) return;
  struct stat other {};
  const bool sharesOtherName =
      !candidate.otherName.empty() &&
      ::fstatat(directory, candidate.otherName.c_str(), &other, AT_SYMLINK_NOFOLLOW) == 0 &&
      SameFile(seen, other);
  if (seen.st_nlink != (sharesOtherName ? 2u : 1u)) return;
  CFileDescriptor file(::openat(directory, candidate.name.c_str(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat opened {};
  if (!file.IsOpen() || ::fstat(file.Get(), &opened) != 0 || !SameFile(seen, opened)) return;
  if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) return;  // a save under way holds it
  struct stat still {};
  if (::fstatat(directory, candidate.name.c_str(), &still, AT_SYMLINK_NOFOLLOW) != 0 ||
      !SameFile(still, opened))
    return;
  ::unlinkat(directory, candidate.name.c_str(), 0);
}

}  // namespace

std::optional<SaveTemporary> CreateSaveTemporary(int directory, const std::string& targetName,
                                                 mode_t mode, TemporaryFiles kind) {
  if (kind == TemporaryFiles::UnnamedWhereSupported) {
    CFileDescriptor file(Files().openat(directory, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
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
  // A file another game made in the same instant is kept.
  if (!MoveWithoutReplacing(directory, temporary.name.c_str(), targetName.c_str())) return false;
  temporary.name.clear();
  return true;
}

bool NameSaveTemporary(int directory, SaveTemporary& temporary, const std::string& targetName) {
  return !temporary.name.empty() || NameProvably(temporary, targetName, [&](const char* name) {
    return LinkUnnamed(temporary.file.Get(), directory, name);
  });
}

bool PublishOverFile(int directory, SaveTemporary& temporary, const std::string& targetName) {
  // The only moment an unnamed temporary has a name: a kill between naming
  // and renaming leaves a complete file that the next start-up removes.
  if (!NameSaveTemporary(directory, temporary, targetName)) return false;
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
  std::vector<StaleCandidate> proven;
  std::vector<std::string> unprovenNames;
  while (const dirent* entry = ::readdir(entries)) {
    if (const auto inode = SaveTemporaryInode(entry->d_name, target->name)) {
      proven.push_back({entry->d_name, *inode, target->name});
    } else if (IsUnprovenTemporaryName(entry->d_name, target->name)) {
      unprovenNames.emplace_back(entry->d_name);
    }
  }
  ::closedir(entries);
  const int directory = target->directory.Get();
  // The listing's inode numbers are not always the files' own (overlays).
  std::vector<std::pair<std::string, ino_t>> unproven;
  for (const std::string& name : unprovenNames) {
    struct stat info {};
    if (::fstatat(directory, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
      unproven.emplace_back(name, info.st_ino);
  }
  // A proven name first, so that a first name it shares its file with is
  // left with one name, as a first name must have.
  for (StaleCandidate& candidate : proven) {
    for (const auto& [name, inode] : unproven)
      if (inode == *candidate.claimed) candidate.otherName = name;
    RemoveIfStale(directory, candidate);
  }
  for (const auto& [name, inode] : unproven) RemoveIfStale(directory, {name, std::nullopt, {}});
}
