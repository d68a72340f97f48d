// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/testing/recording_host.h"
#include "score_bytes.h"
#include "scores/high_score_dlg.h"
#include "scratch_directory.h"

namespace {

const std::string kUnableToOpen =
    "message box \"Unable to open file!\" caption \"Karoblen\" ok exclamation";
const std::string kNotValid =
    "message box \"Unable to merge highscores -- not a valid Karoblen highscore file\" caption "
    "\"Karoblen\" ok "
    "exclamation";
const std::string kNoNul = "message box \"No Nul\" caption \"Karoblen\" ok none";

std::string Summary(int added, int duplicates) {
  return "message box \"Highscore merge complete.\n\nHighscore entries added: " +
         std::to_string(added) + "\nDuplicate entries found: " + std::to_string(duplicates) +
         "\" caption \"Karoblen\" ok information";
}

class ScoreMergeTest : public ScratchDirectoryTest {
 protected:
  std::vector<std::string> Merge(const Bytes& file) {
    WriteFileBytes("other.scr", file);
    return MergePath("other.scr");
  }
  std::vector<std::string> MergePath(const std::string& path) {
    m_host.ClearEvents();
    alarm(20);  // a merge that blocks fails the run instead of hanging it
    m_dlg.MergeFrom(path);
    alarm(0);
    return m_host.events;
  }
  bool TablesUnchangedSince(const std::vector<HighScoreEntry>& before) const {
    return std::ranges::equal(before, m_dlg.Scores().Entries());
  }
  std::vector<HighScoreEntry> Snapshot() const {
    return {m_dlg.Scores().Entries().begin(), m_dlg.Scores().Entries().end()};
  }

  CRecordingHost m_host;
  CHighScoreDlg m_dlg;
};

using Events = std::vector<std::string>;

TEST_F(ScoreMergeTest, OwnFileAddsNothingAndCountsEveryRealEntryAsDuplicate) {
  m_dlg.Scores().InsertEntry(0, "Ann", 50, false, false);
  m_dlg.Scores().InsertEntry(0, "Bea", 40, false, false);
  m_dlg.Scores().InsertEntry(11, "Cy", 7, false, true);
  const auto before = Snapshot();
  std::filesystem::copy_file("Karoblen.scr", "own.scr");
  EXPECT_EQ(MergePath("own.scr"), Events{Summary(0, 3)});
  EXPECT_TRUE(TablesUnchangedSince(before));
}

TEST_F(ScoreMergeTest, RecordsGoToTheTableOfTheirPlaceInTheFile) {
  Bytes file = BlankScoreFile();
  PutRecord(file, 29, Record("Late", 16876));     // last record of table 2
  PutRecord(file, 20, Record("Early", 3, 0xEE));  // the separator is never looked at
  PutRecord(file, 21, Record("Early", 3));        // same as the record before it
  EXPECT_EQ(Merge(file), Events{Summary(2, 1)});
  EXPECT_STREQ(m_dlg.Scores().Entry(2, 0).name, "Late");
  EXPECT_STREQ(m_dlg.Scores().Entry(2, 1).name, "Early");
  EXPECT_EQ(m_dlg.Scores().Entry(2, 2).score, 0);
  EXPECT_EQ(RecordOf(ReadFileBytes("Karoblen.scr"), 20), Record("Late", 16876));
}

TEST_F(ScoreMergeTest, NameInOtherLetterCaseIsNotADuplicateAndGoesBelow) {
  m_dlg.Scores().InsertEntry(5, "ann", 50, false, false);
  Bytes file = BlankScoreFile();
  PutRecord(file, 50, Record("Ann", 50));
  EXPECT_EQ(Merge(file), Events{Summary(1, 0)});
  EXPECT_STREQ(m_dlg.Scores().Entry(5, 0).name, "ann");
  EXPECT_STREQ(m_dlg.Scores().Entry(5, 1).name, "Ann");
}

TEST_F(ScoreMergeTest, RecordNotBeatingTheTenthIsCountedNowhereUnlessADuplicate) {
  for (int i = 0; i < 10; ++i)
    m_dlg.Scores().InsertEntry(1, i < 9 ? "full" : "tenth", 100, false, false);
  Bytes file = BlankScoreFile();
  PutRecord(file, 10, Record("low", 100));
  PutRecord(file, 11, Record("zero", 0));     // skipped like a blank entry
  PutRecord(file, 12, Record("tenth", 100));  // the duplicate check comes first
  EXPECT_EQ(Merge(file), Events{Summary(0, 1)});
  EXPECT_EQ(m_dlg.Scores().Entry(1, 9).score, 100);
}

TEST_F(ScoreMergeTest, WrongSizesAreRejectedWithoutLookingAtRecords) {
  for (const std::size_t size : {2639u, 2641u, 0u}) {
    Bytes file(size, 'x');  // names without terminators: would say "No Nul" if looked at
    EXPECT_EQ(Merge(file), Events{kNotValid}) << size << " bytes";
  }
  // A file that changed between the look at its size and the read.
  const Bytes whole = BlankScoreFile();
  EXPECT_FALSE(CScoreStore::IsValidScoreFile(whole, 2641, nullptr));
  EXPECT_FALSE(CScoreStore::IsValidScoreFile(Bytes(2639, 0), 2640, nullptr));
  EXPECT_TRUE(CScoreStore::IsValidScoreFile(whole, 2640, nullptr));
  // The attempt still rewrites the player's own file.
  EXPECT_EQ(ReadFileBytes("Karoblen.scr"), BlankScoreFile());
}

TEST_F(ScoreMergeTest, HugeSparseFileIsRejectedWithoutReadingIt) {
  const int fd = ::open("huge.scr", O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{1} << 40), 0);
  ::close(fd);
  EXPECT_EQ(MergePath("huge.scr"), Events{kNotValid});
}

TEST_F(ScoreMergeTest, ScoresOutsideZeroTo16876RejectTheWholeFile) {
  m_dlg.Scores().InsertEntry(3, "Keep", 9, false, false);
  const auto before = Snapshot();
  for (const std::uint32_t bad : {16877u, 0xFFFFFFFFu, 0x80000000u}) {
    Bytes file = BlankScoreFile();
    PutRecord(file, 30, Record("First", 500));  // valid, but must not go in
    PutRecord(file, 119, Record("Bad", bad));
    EXPECT_EQ(Merge(file), Events{kNotValid});
    EXPECT_TRUE(TablesUnchangedSince(before));
  }
  EXPECT_EQ(RecordOf(ReadFileBytes("Karoblen.scr"), 30), Record("Keep", 9));
}

TEST_F(ScoreMergeTest, NameWithoutTerminatorSaysNoNulOnceAndStopsThere) {
  const auto before = Snapshot();
  Bytes file = BlankScoreFile();
  PutRecord(file, 4, Record("Fine", 10));
  PutRecord(file, 5, Record("ABCDEFGHIJKLMNOPQ", 10));
  PutRecord(file, 6, Record("ABCDEFGHIJKLMNOPQ", 10));
  EXPECT_EQ(Merge(file), (Events{kNoNul, kNotValid}));
  EXPECT_TRUE(TablesUnchangedSince(before));

  // A bad score earlier in the file ends the check before the name is seen.
  PutRecord(file, 2, Record("Early", 20000));
  EXPECT_EQ(Merge(file), Events{kNotValid});
}

TEST_F(ScoreMergeTest, AnythingButAReadableRegularFileCannotBeOpened) {
  std::filesystem::create_directory("folder.scr");
  ASSERT_EQ(::mkfifo("pipe.scr", 0600), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strcpy(address.sun_path, "socket.scr");
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  for (const char* path : {"folder.scr", "pipe.scr", "socket.scr", "/dev/zero", "missing.scr"}) {
    EXPECT_EQ(MergePath(path), Events{kUnableToOpen}) << path;
  }
  ::close(listener);
  EXPECT_FALSE(FileExists("Karoblen.scr"));  // nothing is written
}

TEST_F(ScoreMergeTest, MergedTablesStayInMemoryWhenTheSaveFailsAndThePlayerIsTold) {
  std::filesystem::create_directory("Karoblen.scr");
  Bytes file = BlankScoreFile();
  PutRecord(file, 0, Record("Mia", 12));
  const auto events = Merge(file);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], Summary(1, 0));
  EXPECT_TRUE(events[1].starts_with("message box \"The high scores could not be saved in " +
                                    (std::filesystem::current_path() / "Karoblen.scr").string() +
                                    ":\nIs a directory.\n"))
      << events[1];
  EXPECT_STREQ(m_dlg.Scores().Entry(0, 0).name, "Mia");
  std::filesystem::remove("Karoblen.scr");
  EXPECT_TRUE(m_dlg.Scores().SaveScores());
  EXPECT_EQ(RecordOf(ReadFileBytes("Karoblen.scr"), 0), Record("Mia", 12));
}

}  // namespace
