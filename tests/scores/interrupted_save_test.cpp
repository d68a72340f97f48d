#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "score_bytes.h"
#include "scores/high_score_tables.h"
#include "scores/score_file.h"
#include "scratch_directory.h"

namespace {

using InterruptedSaveTest = ScratchDirectoryTest;

// Written by the saving child, read by the test once the child is dead.
struct SaveCounts {
  std::atomic<int> started{0};
  std::atomic<int> finished{0};
};

[[noreturn]] void SaveForever(const Bytes& first, const Bytes& second, TemporaryFiles kind,
                              SaveCounts& counts, int ready) {
  const char go = 1;
  if (::write(ready, &go, 1) != 1) ::_exit(2);
  for (;;) {
    for (const Bytes* bytes : {&first, &second}) {
      counts.started.fetch_add(1);
      WriteWholeFile(kScoreFileName, *bytes, kind);
      counts.finished.fetch_add(1);
    }
  }
}

struct SaverSetup {
  TemporaryFiles kind;
  bool throughLink;
};

// Microseconds one save takes here, so that kills can be spread over the
// first few saves whatever the file system.
long MeasureSaveMicroseconds(const Bytes& bytes, TemporaryFiles kind) {
  constexpr int kSaves = 5;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kSaves; ++i) WriteWholeFile(kScoreFileName, bytes, kind);
  const auto took = std::chrono::steady_clock::now() - start;
  return std::chrono::duration_cast<std::chrono::microseconds>(took).count() / kSaves + 1;
}

// A save killed at any moment leaves the old or the new file, complete,
// never a torn one; any temporary it leaves is gone after the next start-up.
TEST_F(InterruptedSaveTest, KilledSaverNeverLeavesAPartialFile) {
  Bytes firstFile = BlankScoreFile();
  PutRecord(firstFile, 0, Record("A", 1));
  Bytes secondFile = BlankScoreFile();
  PutRecord(secondFile, 0, Record("B", 2));
  PutRecord(secondFile, 110, Record("Z", 3));  // table 11, entry 0

  auto* counts = static_cast<SaveCounts*>(::mmap(
      nullptr, sizeof(SaveCounts), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(counts, MAP_FAILED);

  constexpr int kRoundsEach = 10;
  constexpr SaverSetup kSetups[] = {{TemporaryFiles::UnnamedWhereSupported, false},
                                    {TemporaryFiles::NamedOnly, false},
                                    {TemporaryFiles::UnnamedWhereSupported, true},
                                    {TemporaryFiles::NamedOnly, true}};
  int insideASave = 0;
  int leftovers[2] = {0, 0};  // by kind of temporary
  int round = 0;
  long slowestSave = 0;
  for (const SaverSetup& setup : kSetups) {
    const std::string directory = setup.throughLink ? "shared" : ".";
    const std::string file = directory + "/Karoblen.scr";
    if (setup.throughLink) {
      std::filesystem::create_directory("shared");
      std::filesystem::remove("Karoblen.scr");
      std::filesystem::create_symlink("shared/Karoblen.scr", "Karoblen.scr");
    }
    // Every kill then lands in a save that replaces a complete file.
    const long saveMicroseconds = MeasureSaveMicroseconds(firstFile, setup.kind);
    slowestSave = std::max(slowestSave, saveMicroseconds);
    for (int r = 0; r < kRoundsEach; ++r, ++round) {
      int ready[2];
      ASSERT_EQ(::pipe(ready), 0);
      counts->started = 0;
      counts->finished = 0;
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) SaveForever(firstFile, secondFile, setup.kind, *counts, ready[1]);
      // Timed from the moment the child starts saving, spread over the time
      // of its first three saves.
      char go = 0;
      ASSERT_EQ(::read(ready[0], &go, 1), 1);
      ::close(ready[0]);
      ::close(ready[1]);
      ::usleep(static_cast<useconds_t>(saveMicroseconds * 3 * ((round * 397) % 1000) / 1000));
      ::kill(child, SIGKILL);
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFSIGNALED(status));
      insideASave += counts->started > counts->finished;

      const Bytes bytes = ReadFileBytes(file);
      ASSERT_TRUE(bytes == firstFile || bytes == secondFile)
          << "round " << round << ": " << bytes.size() << " bytes";
      // At most the one temporary of the save that was cut short, and the
      // next start-up removes it.
      const auto left = LeftoverTemporaryFiles(directory);
      ASSERT_LE(left.size(), 1u) << "round " << round;
      leftovers[setup.kind == TemporaryFiles::NamedOnly] += static_cast<int>(left.size());
      CHighScoreTables startUp;
      startUp.LoadScores();
      ASSERT_TRUE(LeftoverTemporaryFiles(directory).empty()) << "round " << round;
    }
  }
  ::munmap(counts, sizeof(SaveCounts));
  std::printf(
      "%d of %d kills inside a save (up to %ld us each); temporaries left: %d unnamed, %d named\n",
      insideASave, round, slowestSave, leftovers[0], leftovers[1]);
  // Kills that land before the first save or between saves prove nothing.
  EXPECT_GT(insideASave, round / 2);
}

}  // namespace
