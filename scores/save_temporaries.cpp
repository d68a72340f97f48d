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

#include "scores/save_target.h"

namespace {

constexpr std::string_view kInfix = ".saving-";
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLetters = 6;
constexpr int kNameAttempts = 100;

bool IsLetterOrDigit(char c) { return kLetters.find(c) != std::string_view::npos; }

std::string RandomName(const std::string& targetName) {
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
  std::string name = targetName;
  name += kInfix;
  for (const unsigned char byte : noise) name += kLetters[byte % kLetters.size()];
  return name;
}

// An unnamed file gets its first name through linkat. AT_EMPTY_PATH needs a
// capability most players lack; the descriptor's entry under /proc does not.
bool LinkUnnamed(int file, int directory, const char* name) {
  if (::linkat(file, "", directory, name, AT_EMPTY_PATH) == 0) return true;
  if (errno == EEXIST) return false;
  const std::string self = "/proc/self/fd/" + std::to_string(file);
  if (::linkat(AT_FDCWD, self.c_str(), directory, name, AT_SYMLINK_FOLLOW) == 0) return true;
  // Without /proc the file can never be named: tell the caller to use named files.
  if (errno == ENOENT) errno = EOPNOTSUPP;
  return false;
}

bool UnnamedFilesUnsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

std::optional<SaveTemporary> CreateNamed(int directory, const std::string& targetName,
                                         mode_t mode) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = RandomName(targetName);
    CFileDescriptor file(::openat(directory, name.c_str(),
                                  O_CREAT | O_EXCL | O_RDWR | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!file.IsOpen()) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    // A start-up elsewhere may have taken it for stale in the instant before
    // the lock: then it is gone or going, and another name is tried.
    struct stat opened {};
    struct stat named {};
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 && ::fstat(file.Get(), &opened) == 0 &&
        ::fstatat(directory, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(opened, named)) {
      return SaveTemporary{std::move(file), std::move(name)};
    }
  }
  errno = EEXIST;
  return std::nullopt;
}

// Gives an unnamed temporary a temporary name, for the rename that follows.
bool NameUnnamed(int directory, SaveTemporary& temporary, const std::string& targetName) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = RandomName(targetName);
    if (LinkUnnamed(temporary.file.Get(), directory, name.c_str())) {
      temporary.name = std::move(name);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

void RemoveIfStale(int directory, const std::string& name) {
  // Looked at without following anything, and opened only when it is a
  // regular file of ours: opening a device can have effects of its own.
  struct stat seen {};
  if (::fstatat(directory, name.c_str(), &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
      !S_ISREG(seen.st_mode) || seen.st_uid != ::geteuid())
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
  int renamed = ::renameat2(directory, temporary.name.c_str(), directory, targetName.c_str(),
                            RENAME_NOREPLACE);
  // A file system without the flag: the plain rename may replace a file made
  // in the same instant by another save, which holds the same scores' kind.
  if (renamed != 0 && errno == EINVAL)
    renamed = ::renameat(directory, temporary.name.c_str(), directory, targetName.c_str());
  if (renamed != 0) return false;
  temporary.name.clear();
  return true;
}

bool PublishOverFile(int directory, SaveTemporary& temporary, const std::string& targetName) {
  // The only moment an unnamed temporary has a name: a kill between these two
  // calls leaves a complete file that the next start-up removes.
  if (temporary.name.empty() && !NameUnnamed(directory, temporary, targetName)) return false;
  if (::renameat(directory, temporary.name.c_str(), directory, targetName.c_str()) != 0)
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

bool IsSaveTemporaryName(std::string_view candidate, std::string_view targetName) {
  if (candidate.size() != targetName.size() + kInfix.size() + kRandomLetters) return false;
  if (!candidate.starts_with(targetName) ||
      candidate.substr(targetName.size(), kInfix.size()) != kInfix)
    return false;
  for (const char c : candidate.substr(targetName.size() + kInfix.size()))
    if (!IsLetterOrDigit(c)) return false;
  return true;
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
  std::vector<std::string> candidates;
  while (const dirent* entry = ::readdir(entries)) {
    if (IsSaveTemporaryName(entry->d_name, target->name)) candidates.emplace_back(entry->d_name);
  }
  ::closedir(entries);
  for (const std::string& name : candidates) RemoveIfStale(target->directory.Get(), name);
}
