// SPDX-License-Identifier: GPL-3.0-or-later
// A merge as the program makes it, through real files on disk and the score
// store's own functions: start-up loads the score file, the chosen file is
// read, checked and merged, and the result is saved, whatever the two names turn out to be (regular
// files, links, dangling links, FIFOs, directories, /dev/null, read-only or shared files). Nothing
// may hang or crash, and afterwards:
//  - a save that reports success left exactly the tables' bytes behind the
//    score file's name, and a second load reads the same tables back;
//  - what may never be replaced (a FIFO, a directory, a read-only file, the
//    link to /dev/null) is still there as it was;
//  - no temporary file of a save is left anywhere;
//  - a file that could not be read merged nothing.
//
// Input: byte 0 picks what the merge file is, byte 1 what the score file is,
// byte 2 bit 0 asks for named temporaries; the rest is the merge file's
// content (and, for a score file that exists, its old content too).
#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "fuzz/scratch_directory.h"
#include "scores/score_store.h"

namespace {

constexpr char kMergeName[] = "friend.scr";
constexpr char kSharedDir[] = "shared";
constexpr char kSharedFile[] = "shared/Karoblen.scr";
constexpr char kSecondName[] = "second-name.scr";

enum MergeKind {
  kMergeRegular,
  kMergeFifo,
  kMergeDirectory,
  kMergeLink,
  kMergeDangling,
  kMergeDevNull,
  kMergeMissing,
  kMergeKinds
};
enum ScoreKind {
  kScoreAbsent,
  kScoreRegular,
  kScoreLink,
  kScoreDangling,
  kScoreFifo,
  kScoreDirectory,
  kScoreDevNull,
  kScoreReadOnly,
  kScoreHardLinked,
  kScoreKinds
};

std::string g_directory;

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_score_file: %s\n", what);
  std::abort();
}

void RemoveTree(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return;
  if (S_ISDIR(info.st_mode)) {
    ::chmod(path.c_str(), 0700);
    if (DIR* dir = ::opendir(path.c_str())) {
      std::vector<std::string> names;
      while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      ::closedir(dir);
      for (const std::string& name : names) RemoveTree(path + "/" + name);
    }
    ::rmdir(path.c_str());
  } else {
    ::unlink(path.c_str());
  }
}

void EmptyScratchDirectory() {
  if (DIR* dir = ::opendir(".")) {
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : names) RemoveTree(name);
  }
}

void RemoveScratchDirectory() {
  if (::chdir(g_directory.c_str()) == 0) EmptyScratchDirectory();
  if (::chdir("/") == 0) ::rmdir(g_directory.c_str());
}

void WriteFile(const char* path, std::span<const std::uint8_t> bytes, mode_t mode = 0644) {
  std::FILE* file = std::fopen(path, "wb");
  Check(file != nullptr, "cannot write a scene file");
  if (!bytes.empty())
    Check(std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(), "short write");
  std::fclose(file);
  Check(::chmod(path, mode) == 0, "chmod");
}

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* file = std::fopen(path, "rb")) {
    int c = 0;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(file);
  }
  return bytes;
}

mode_t TypeOf(const char* path) {
  struct stat info {};
  return ::lstat(path, &info) == 0 ? (info.st_mode & S_IFMT) : 0;
}

void MakeMergeFile(int kind, std::span<const std::uint8_t> content) {
  switch (kind) {
    case kMergeRegular:
      WriteFile(kMergeName, content);
      break;
    case kMergeFifo:
      Check(::mkfifo(kMergeName, 0644) == 0, "mkfifo");
      break;
    case kMergeDirectory:
      Check(::mkdir(kMergeName, 0755) == 0, "mkdir");
      break;
    case kMergeLink:
      WriteFile("friend-target.scr", content);
      Check(::symlink("friend-target.scr", kMergeName) == 0, "symlink");
      break;
    case kMergeDangling:
      Check(::symlink("nowhere.scr", kMergeName) == 0, "symlink");
      break;
    case kMergeDevNull:
      Check(::symlink("/dev/null", kMergeName) == 0, "symlink");
      break;
    default:
      break;  // missing
  }
}

void MakeScoreFile(int kind, std::span<const std::uint8_t> old) {
  Check(::mkdir(kSharedDir, 0755) == 0, "mkdir shared");
  switch (kind) {
    case kScoreRegular:
      WriteFile(kScoreFileName, old);
      break;
    case kScoreLink:
      WriteFile(kSharedFile, old);
      Check(::symlink(kSharedFile, kScoreFileName) == 0, "symlink");
      break;
    case kScoreDangling:
      Check(::symlink(kSharedFile, kScoreFileName) == 0, "symlink");
      break;
    case kScoreFifo:
      Check(::mkfifo(kScoreFileName, 0644) == 0, "mkfifo");
      break;
    case kScoreDirectory:
      Check(::mkdir(kScoreFileName, 0755) == 0, "mkdir");
      break;
    case kScoreDevNull:
      Check(::symlink("/dev/null", kScoreFileName) == 0, "symlink");
      break;
    case kScoreReadOnly:
      WriteFile(kScoreFileName, old, 0444);
      break;
    case kScoreHardLinked:
      WriteFile(kScoreFileName, old);
      Check(::link(kScoreFileName, kSecondName) == 0, "link");
      break;
    default:
      break;  // absent
  }
}

bool HasSaveTemporary(const char* directory) {
  bool found = false;
  if (DIR* dir = ::opendir(directory)) {
    while (const dirent* entry = ::readdir(dir))
      if (std::strstr(entry->d_name, ".saving-") != nullptr) found = true;
    ::closedir(dir);
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_directory = EnterFuzzScratchDirectory("fuzz-file");
  ::atexit(RemoveScratchDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int mergeKind = data[0] % kMergeKinds;
  const int scoreKind = data[1] % kScoreKinds;
  const TemporaryFiles temporaries =
      (data[2] & 1) ? TemporaryFiles::NamedOnly : TemporaryFiles::UnnamedWhereSupported;
  const std::span<const std::uint8_t> content(data + 3, size - 3);

  EmptyScratchDirectory();
  MakeMergeFile(mergeKind, content);
  MakeScoreFile(scoreKind, content);
  const std::vector<std::uint8_t> oldScoreFile = ReadFile(kScoreFileName);

  // Start-up, the merge and its save, as the program makes them.
  CScoreStore store(kScoreFileName, temporaries);
  store.LoadScores();
  const std::vector<HighScoreEntry> loaded(store.Entries().begin(), store.Entries().end());
  const bool readable = store.MergeFile(kMergeName).has_value();
  if (!readable) {
    Check(mergeKind != kMergeRegular && mergeKind != kMergeLink, "a regular file was not read");
    Check(std::ranges::equal(loaded, store.Entries()), "an unreadable file merged something");
    return 0;  // the program says so and saves nothing
  }
  const bool saved = store.SaveScores();
  std::array<unsigned char, kScoreFileBytes> expected{};
  store.EncodeScoreFile(expected);

  switch (scoreKind) {
    case kScoreFifo:
      Check(TypeOf(kScoreFileName) == S_IFIFO, "a FIFO was replaced");
      Check(!saved, "a save into a FIFO reported success");
      break;
    case kScoreDirectory:
      Check(TypeOf(kScoreFileName) == S_IFDIR, "a directory was replaced");
      Check(!saved, "a save into a directory reported success");
      break;
    case kScoreDevNull:
      Check(TypeOf(kScoreFileName) == S_IFLNK, "the link to /dev/null was replaced");
      Check(saved, "/dev/null took no save");
      break;
    case kScoreReadOnly:
      Check(!saved, "a read-only file was saved");
      Check(ReadFile(kScoreFileName) == oldScoreFile, "a read-only file changed");
      break;
    default: {
      Check(saved, "a save to a plain file failed");
      const std::vector<std::uint8_t> now = ReadFile(kScoreFileName);
      Check(std::ranges::equal(now, expected), "the saved file does not hold the tables");
      if (scoreKind == kScoreLink || scoreKind == kScoreDangling)
        Check(TypeOf(kScoreFileName) == S_IFLNK, "the link was replaced by a file");
      if (scoreKind == kScoreHardLinked)
        Check(ReadFile(kSecondName) == now, "the second name kept the old scores");
      CScoreStore again;
      again.LoadScores();
      Check(std::ranges::equal(again.Entries(), store.Entries()), "a reload differs");
      break;
    }
  }
  Check(!HasSaveTemporary(".") && !HasSaveTemporary(kSharedDir), "a temporary file was left");
  return 0;
}
