#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "score_bytes.h"
#include "scores/high_score_tables.h"
#include "scratch_directory.h"

namespace {

using InterruptedSaveTest = ScratchDirectoryTest;

[[noreturn]] void SaveForever() {
  CHighScoreTables first;
  first.InsertEntry(0, "A", 1, false, false);
  CHighScoreTables second;
  second.InsertEntry(0, "B", 2, false, false);
  second.InsertEntry(11, "Z", 3, false, false);
  for (;;) {
    first.SaveScores();
    second.SaveScores();
  }
}

// A save killed at any moment leaves either no file (only before the first
// save ever finished) or one of the two complete files, never a torn one.
TEST_F(InterruptedSaveTest, KilledSaverNeverLeavesAPartialFile) {
  Bytes firstFile = BlankScoreFile();
  PutRecord(firstFile, 0, Record("A", 1));
  Bytes secondFile = BlankScoreFile();
  PutRecord(secondFile, 0, Record("B", 2));
  PutRecord(secondFile, 110, Record("Z", 3));  // table 11, entry 0

  bool existed = false;
  int complete = 0;
  for (int round = 0; round < 40; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever();
    if (round == 0) {
      // Let one save finish, so that every later round has a file to lose.
      for (int wait = 0; wait < 5000 && !FileExists("Karoblen.scr"); ++wait) ::usleep(1000);
    }
    ::usleep(static_cast<useconds_t>((round * 397) % 4000));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));

    if (FileExists("Karoblen.scr")) {
      existed = true;
      const Bytes file = ReadFileBytes("Karoblen.scr");
      complete += file == firstFile || file == secondFile;
      ASSERT_TRUE(file == firstFile || file == secondFile)
          << "round " << round << ": " << file.size() << " bytes";
    } else {
      ASSERT_FALSE(existed) << "the score file vanished in round " << round;
    }
    // At most the one temporary file of the save that was cut short.
    const auto leftovers = LeftoverTemporaryFiles();
    ASSERT_LE(leftovers.size(), 1u) << "round " << round;
    for (const auto& name : leftovers) std::filesystem::remove(name);
  }
  EXPECT_TRUE(existed);
  EXPECT_EQ(complete, 40);
}

}  // namespace
