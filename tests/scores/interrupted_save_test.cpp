// SPDX-License-Identifier: GPL-3.0-or-later
// Saves cut short, failing, or side by side with another game's: the score
// file stays whole, every failure reaches the player, and no game loses
// another's entries.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/testing/recording_host.h"
#include "score_bytes.h"
#include "scores/brief_lock.h"
#include "scores/file_calls.h"
#include "scores/high_score_dlg.h"
#include "scores/score_file.h"
#include "scratch_directory.h"

namespace {

using InterruptedSaveTest = ScratchDirectoryTest;
using Calls = std::vector<std::string>;

Bytes OldFileWith(int index, const char* name, std::uint32_t score) {
  Bytes file = OldFile();
  PutRecord(file, index, Record(name, score));
  return file;
}

// The child's exit status, or -1 when a signal ended it.
int ExitStatus(pid_t child) {
  int status = 0;
  if (::waitpid(child, &status, 0) != child) return -2;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The saving child stops at its first call of one kind, and only there.
void StopOnce() {
  static bool s_bStopped = false;
  if (!s_bStopped) ::raise(SIGSTOP);
  s_bStopped = true;
}

// Only the rename that gives the score file its new bytes.
int StopThenRename(int fromDirectory, const char* from, int toDirectory, const char* to,
                   unsigned flags) {
  if (std::string_view(to) == kScoreFileName) StopOnce();
  return SystemFileCalls().rename(fromDirectory, from, toDirectory, to, flags);
}
int StopThenLink(int fromDirectory, const char* from, int toDirectory, const char* to, int flags) {
  StopOnce();
  return SystemFileCalls().linkat(fromDirectory, from, toDirectory, to, flags);
}
ssize_t StopThenPwrite(int fd, const void* bytes, size_t count, off_t offset) {
  StopOnce();
  return SystemFileCalls().pwrite(fd, bytes, count, offset);
}
int StopThenFsync(int fd) {
  StopOnce();
  return SystemFileCalls().fsync(fd);
}

int NoLocks(int, int) {
  errno = ENOLCK;
  return -1;
}

enum class StopAt { Rename, Link, RewriteInPlace, Sync };
enum class Locks { Kept, Missing };

// A game entering New beside the old file, stopped at the call `where`; it
// exits with 0 when its save then works.
pid_t StartSaveThatStops(StopAt where, TemporaryFiles kind = TemporaryFiles::UnnamedWhereSupported,
                         Locks locks = Locks::Kept) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(20);
    FileCalls calls = SystemFileCalls();
    if (where == StopAt::Rename) calls.rename = StopThenRename;
    if (where == StopAt::Link) calls.linkat = StopThenLink;
    if (where == StopAt::RewriteInPlace) calls.pwrite = StopThenPwrite;
    if (where == StopAt::Sync) calls.fsync = StopThenFsync;
    if (locks == Locks::Missing) calls.flock = NoLocks;
    const CFileCallsOverride stopping(calls);
    CScoreStore game(kScoreFileName, kind);
    game.InsertEntry(11, "New", 7, false, false);
    ::_exit(game.SaveScores() ? 0 : 1);
  }
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, WUNTRACED), child);
  EXPECT_TRUE(WIFSTOPPED(status)) << "the save never reached the call it was to stop at";
  return child;
}

class StoppedSaveTest : public ScratchDirectoryTest,
                        public ::testing::WithParamInterface<TemporaryFiles> {};

// Until the rename the old file is whole and untouched, so a kill there
// leaves it; a game starting meanwhile leaves the temporary to its save, and
// the next start after the kill removes it.
TEST_P(StoppedSaveTest, OldFileStaysWholeUntilTheRenameAndAStartingGameSparesTheTemporary) {
  WriteFileBytes(kScoreFileName, OldFile());
  for (const int signal : {SIGKILL, SIGCONT}) {
    const pid_t child = StartSaveThatStops(StopAt::Rename, GetParam());
    if (HasFailure()) {
      ::kill(child, SIGKILL);
      ExitStatus(child);
      return;
    }
    EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile());
    EXPECT_EQ(LeftoverTemporaryFiles().size(), 1u);
    CScoreStore starting;
    starting.LoadScores();
    EXPECT_EQ(NameOf(starting.Entry(0, 0)), "Old");
    EXPECT_EQ(LeftoverTemporaryFiles().size(), 1u) << "a starting game removed a save's temporary";

    ::kill(child, signal);
    const int status = ExitStatus(child);
    if (signal == SIGKILL) {
      EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile());
      CScoreStore next;
      next.LoadScores();
    } else {
      EXPECT_EQ(status, 0) << "the save failed after the other game started";
      EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFileWith(110, "New", 7));
    }
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Temporaries, StoppedSaveTest,
                         ::testing::Values(TemporaryFiles::UnnamedWhereSupported,
                                           TemporaryFiles::NamedOnly),
                         [](const auto& info) {
                           return info.param == TemporaryFiles::NamedOnly ? "Named" : "Unnamed";
                         });

// A file system without O_TMPFILE, and perhaps without RENAME_NOREPLACE,
// whose saving child stops after a chosen call so that it can be killed there.
enum class Call { Create, Rename, Link };
struct KillPoint {
  const char* what;
  bool exists;
  bool noReplaceFlag;
  Call after;
  int nth;
};
KillPoint g_killPoint{};
int g_callsSeen = 0;

void StopAtKillPoint(Call call) {
  if (call == g_killPoint.after && ++g_callsSeen == g_killPoint.nth) ::raise(SIGSTOP);
}
int OpenWithoutTmpfile(int directory, const char* path, int flags, mode_t mode) {
  if ((flags & O_TMPFILE) == O_TMPFILE) {
    errno = EOPNOTSUPP;
    return -1;
  }
  const int fd = OpenAt(directory, path, flags, mode);
  if (fd >= 0 && (flags & O_CREAT) != 0) StopAtKillPoint(Call::Create);
  return fd;
}
int RenameThenStop(int fromDirectory, const char* from, int toDirectory, const char* to,
                   unsigned flags) {
  if ((flags & RENAME_NOREPLACE) != 0 && g_killPoint.noReplaceFlag) {
    errno = EINVAL;
    return -1;
  }
  const int result = SystemFileCalls().rename(fromDirectory, from, toDirectory, to, flags);
  if (result == 0) StopAtKillPoint(Call::Rename);
  return result;
}
int LinkThenStop(int fromDirectory, const char* from, int toDirectory, const char* to, int flags) {
  const int result = SystemFileCalls().linkat(fromDirectory, from, toDirectory, to, flags);
  if (result == 0) StopAtKillPoint(Call::Link);
  return result;
}

// Killed between any two calls of its save, a game leaves the old file whole
// or the new one complete, and whatever temporary it leaves is gone after the
// next start; the last is a new file that got its name as a second link.
TEST_F(InterruptedSaveTest, KillAtAnyCallLeavesNoTemporaryWithoutUnnamedFiles) {
  const KillPoint points[] = {
      {"first name made", true, false, Call::Create, 1},
      {"first name made, new file", false, false, Call::Create, 1},
      {"renamed to its proven name", true, false, Call::Rename, 1},
      {"proven name linked beside the first", true, true, Call::Link, 1},
      {"new file linked beside its proven name", false, true, Call::Link, 2},
  };
  for (const KillPoint& point : points) {
    std::filesystem::remove(kScoreFileName);
    if (point.exists) WriteFileBytes(kScoreFileName, OldFile());
    g_killPoint = point;
    const pid_t child = ::fork();
    if (child == 0) {
      ::alarm(20);
      FileCalls calls = SystemFileCalls();
      calls.openat = OpenWithoutTmpfile;
      calls.rename = RenameThenStop;
      calls.linkat = LinkThenStop;
      const CFileCallsOverride withoutTmpfile(calls);
      CScoreStore game;
      game.InsertEntry(11, "New", 7, false, false);
      ::_exit(game.SaveScores() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child) << point.what;
    ASSERT_TRUE(WIFSTOPPED(status)) << point.what << ": the save never got there";
    EXPECT_FALSE(LeftoverTemporaryFiles().empty()) << point.what;
    ::kill(child, SIGKILL);
    ExitStatus(child);

    CScoreStore next;
    next.LoadScores();
    EXPECT_EQ(LeftoverTemporaryFiles(), std::vector<std::string>{}) << point.what;
    if (point.exists) {
      EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile()) << point.what;
    } else if (FileExists(kScoreFileName)) {
      Bytes created = BlankScoreFile();
      PutRecord(created, 110, Record("New", 7));
      EXPECT_EQ(ReadFileBytes(kScoreFileName), created) << point.what;
    }
  }
}

// The calls that sync and name a save's bytes, in order.
Calls g_calls;

int RecordFsync(int fd) {
  struct stat info {};
  ::fstat(fd, &info);
  g_calls.push_back(S_ISDIR(info.st_mode) ? "fsync directory" : "fsync file");
  return ::fsync(fd);
}
int RecordRename(int fromDirectory, const char* from, int toDirectory, const char* to,
                 unsigned flags) {
  g_calls.push_back("rename");
  return SystemFileCalls().rename(fromDirectory, from, toDirectory, to, flags);
}
int RecordLink(int fromDirectory, const char* from, int toDirectory, const char* to, int flags) {
  g_calls.push_back("link");
  return ::linkat(fromDirectory, from, toDirectory, to, flags);
}

// The bytes are synced before any name leads to them, and the directory after
// the name changed; a file rewritten in place is synced too.
TEST_F(InterruptedSaveTest, BytesReachTheDiskBeforeTheNameDoesAndTheNameAfter) {
  struct Case {
    const char* what;
    bool exists;
    bool secondName;
    TemporaryFiles kind;
    Calls calls;
  };
  const Case cases[] = {
      {"new",
       false,
       false,
       TemporaryFiles::UnnamedWhereSupported,
       {"fsync file", "link", "fsync directory"}},
      {"new, named",
       false,
       false,
       TemporaryFiles::NamedOnly,
       {"rename", "fsync file", "rename", "fsync directory"}},
      {"replaced",
       true,
       false,
       TemporaryFiles::UnnamedWhereSupported,
       {"fsync file", "link", "rename", "fsync directory"}},
      {"replaced, named",
       true,
       false,
       TemporaryFiles::NamedOnly,
       {"rename", "fsync file", "rename", "fsync directory"}},
      {"in place", true, true, TemporaryFiles::UnnamedWhereSupported, {"fsync file"}},
  };
  const FileCalls recording{::write, ::pwrite, RecordFsync, RecordRename, RecordLink};
  for (const Case& c : cases) {
    std::filesystem::remove(kScoreFileName);
    std::filesystem::remove("second-name");
    if (c.exists) WriteFileBytes(kScoreFileName, OldFile());
    if (c.secondName) std::filesystem::create_hard_link(kScoreFileName, "second-name");
    CScoreStore game(kScoreFileName, c.kind);
    g_calls.clear();
    const CFileCallsOverride recorder(recording);
    EXPECT_TRUE(game.SaveScores()) << c.what;
    EXPECT_EQ(g_calls, c.calls) << c.what;
  }
}

ssize_t FullDisk(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}
int BrokenDisk(int) {
  errno = EIO;
  return -1;
}
int ReadOnlyFileSystem(int, const char*, int, const char*, unsigned) {
  errno = EROFS;
  return -1;
}

// Each failure keeps the old file as it was and is told once per run for its
// reason; the scores stay in memory and the next save that works writes them.
TEST_F(InterruptedSaveTest, FailedSaveKeepsTheOldFileTellsThePlayerOnceAndLaterSucceeds) {
  struct Failure {
    FileCalls calls;
    int error;
  };
  const FileCalls& system = SystemFileCalls();
  const Failure failures[] = {
      {{FullDisk, system.pwrite, system.fsync, system.rename, system.linkat}, ENOSPC},
      {{system.write, system.pwrite, BrokenDisk, system.rename, system.linkat}, EIO},
      {{system.write, system.pwrite, system.fsync, ReadOnlyFileSystem, system.linkat}, EROFS},
  };
  WriteFileBytes(kScoreFileName, OldFile());
  CRecordingHost host;
  CHighScoreDlg dlg;
  std::vector<std::string> expected;
  int score = 100;
  for (const Failure& failure : failures) {
    const CFileCallsOverride failing(failure.calls);
    for (int twice = 0; twice < 2; ++twice) {
      EXPECT_GE(dlg.Scores().InsertEntry(3, "Kept", score--, false, true), 0);
      EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile()) << std::strerror(failure.error);
      EXPECT_TRUE(LeftoverTemporaryFiles().empty()) << std::strerror(failure.error);
    }
    expected.push_back("message box \"The high scores could not be saved in " +
                       (std::filesystem::current_path() / kScoreFileName).string() + ":\n" +
                       std::strerror(failure.error) +
                       ".\n\nThey are kept while the game runs, and the next save that works "
                       "writes them.\" caption \"Karoblen\" ok exclamation");
  }
  EXPECT_EQ(host.events, expected);

  EXPECT_TRUE(dlg.Scores().SaveScores());
  const Bytes saved = ReadFileBytes(kScoreFileName);
  for (int k = 0; k < 6; ++k) EXPECT_EQ(RecordOf(saved, 30 + k), Record("Kept", 100 - k));
  EXPECT_EQ(RecordOf(saved, 0), Record("Old", 9));
}

// A file size limit stands in for a full disk: the kernel cuts the write short.
TEST_F(InterruptedSaveTest, FullDiskLeavesTheOldFileWhole) {
  WriteFileBytes(kScoreFileName, OldFile());
  for (const TemporaryFiles kind :
       {TemporaryFiles::UnnamedWhereSupported, TemporaryFiles::NamedOnly}) {
    const pid_t child = ::fork();
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{1000, 1000};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      ::_exit(WriteWholeFile(kScoreFileName, OldFileWith(110, "New", 7), kind));
    }
    EXPECT_EQ(ExitStatus(child), EFBIG);
    EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile());
    EXPECT_TRUE(LeftoverTemporaryFiles().empty());
  }
}

// Two games saving at once each keep what the other saved, whether the file
// is replaced or rewritten in place, and however long the first one stalls
// inside its save (a stopped process, a slow network disk): the second waits
// for its lock, and then merges what it wrote. Where the file system keeps no
// locks, the first reads the file again before it replaces anything.
TEST_F(InterruptedSaveTest, GameStalledAtAnyStepOfItsSaveLosesNoOtherGamesEntries) {
  struct Case {
    const char* what;
    StopAt where;
    bool inPlace;
    TemporaryFiles kind;
    Locks locks;
  };
  const Case cases[] = {
      {"before its rename", StopAt::Rename, false, TemporaryFiles::UnnamedWhereSupported,
       Locks::Kept},
      {"before its rename, named", StopAt::Rename, false, TemporaryFiles::NamedOnly, Locks::Kept},
      {"before linking its temporary", StopAt::Link, false, TemporaryFiles::UnnamedWhereSupported,
       Locks::Kept},
      {"before syncing its temporary", StopAt::Sync, false, TemporaryFiles::UnnamedWhereSupported,
       Locks::Kept},
      {"before writing in place", StopAt::RewriteInPlace, true,
       TemporaryFiles::UnnamedWhereSupported, Locks::Kept},
      {"before linking its temporary, no locks", StopAt::Link, false,
       TemporaryFiles::UnnamedWhereSupported, Locks::Missing},
      {"before syncing its temporary, no locks", StopAt::Sync, false, TemporaryFiles::NamedOnly,
       Locks::Missing},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(kScoreFileName);
    WriteFileBytes(kScoreFileName, OldFile());
    if (c.inPlace) std::filesystem::create_hard_link(kScoreFileName, "second-name");
    const pid_t saving = StartSaveThatStops(c.where, c.kind, c.locks);
    const pid_t waiting = ::fork();
    if (waiting == 0) {
      FileCalls calls = SystemFileCalls();
      if (c.locks == Locks::Missing) calls.flock = NoLocks;
      const CFileCallsOverride lockless(calls);
      CScoreStore game;
      game.InsertEntry(10, "Other", 8, false, false);
      ::_exit(game.SaveScores() ? 0 : 1);
    }
    // Longer than a game once waited before it saved regardless.
    ::usleep(c.locks == Locks::Kept ? 1'500'000 : 300'000);
    ::kill(saving, SIGCONT);
    EXPECT_EQ(ExitStatus(saving), 0) << c.what;
    EXPECT_EQ(ExitStatus(waiting), 0) << c.what;
    Bytes all = OldFileWith(100, "Other", 8);
    PutRecord(all, 110, Record("New", 7));
    EXPECT_EQ(ReadFileBytes(kScoreFileName), all) << c.what;
    EXPECT_TRUE(LeftoverTemporaryFiles().empty()) << c.what;
    std::filesystem::remove("second-name");
  }
}

// Counts the window's chances to paint; they stay out of the recorded
// timeline, as the host's contract has it.
class CPaintingHost : public CRecordingHost {
 public:
  void KeepResponsive(int) override { ++paints; }
  std::atomic<int> paints{0};
};
CPaintingHost* g_pPaintingHost = nullptr;
// A game that cannot have the lock for the whole wait does not save blind:
// it tells the player, keeps its scores, and saves them once the lock is
// free. The window paints all the while.
TEST_F(InterruptedSaveTest, GameThatCannotLockTellsThePlayerAndSavesLater) {
  WriteFileBytes(kScoreFileName, OldFile());
  const pid_t stalled = StartSaveThatStops(StopAt::Sync);
  CPaintingHost host;
  CHighScoreDlg dlg;
  {
    const CSaveLockWaitOverride briefly(300);
    EXPECT_EQ(dlg.Scores().InsertEntry(10, "Other", 8, false, true), 0);
  }
  EXPECT_GT(host.paints, 0);
  EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFile());
  EXPECT_EQ(host.events,
            Calls{"message box \"The high scores could not be saved in " +
                  (std::filesystem::current_path() / kScoreFileName).string() + ":\n" +
                  std::strerror(EWOULDBLOCK) +
                  ".\n\nThey are kept while the game runs, and the next save that works "
                  "writes them.\" caption \"Karoblen\" ok exclamation"});
  ::kill(stalled, SIGCONT);
  EXPECT_EQ(ExitStatus(stalled), 0);
  EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFileWith(110, "New", 7));
  EXPECT_TRUE(dlg.Scores().SaveScores());
  Bytes both = OldFileWith(100, "Other", 8);
  PutRecord(both, 110, Record("New", 7));
  EXPECT_EQ(ReadFileBytes(kScoreFileName), both);
}

std::thread::id g_syncThread;

// A disk that takes its time: the sync returns once the window has had
// several chances to paint, or after five seconds.
int SyncOnceTheWindowPainted(int fd) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (g_pPaintingHost->paints < 3 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  g_syncThread = std::this_thread::get_id();
  return ::fsync(fd);
}

// A save that waits on a slow disk runs beside the window's thread, which
// keeps painting until the save is done.
TEST_F(InterruptedSaveTest, WindowKeepsPaintingWhileASaveWaitsForTheDisk) {
  WriteFileBytes(kScoreFileName, OldFile());
  CPaintingHost host;
  g_pPaintingHost = &host;
  CHighScoreDlg dlg;
  {
    FileCalls calls = SystemFileCalls();
    calls.fsync = SyncOnceTheWindowPainted;
    const CFileCallsOverride slowDisk(calls);
    EXPECT_EQ(dlg.Scores().InsertEntry(10, "Slow", 8, false, true), 0);
  }
  EXPECT_GE(host.paints, 3);
  EXPECT_NE(g_syncThread, std::this_thread::get_id());
  EXPECT_EQ(ReadFileBytes(kScoreFileName), OldFileWith(100, "Slow", 8));
  EXPECT_TRUE(host.events.empty());
  g_pPaintingHost = nullptr;
}

}  // namespace
