// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "score_bytes.h"
#include "scores/score_store.h"
#include "scratch_directory.h"

namespace {

using ScoreFileTest = ScratchDirectoryTest;

void ExpectAllBlank(const CScoreStore& tables) {
  for (const HighScoreEntry& entry : tables.Entries()) {
    EXPECT_STREQ(entry.name, "                ");
    EXPECT_EQ(entry.score, 0);
  }
}

TEST_F(ScoreFileTest, FirstSaveWritesTwelveBlankTablesByteForByte) {
  CScoreStore tables;
  ASSERT_TRUE(tables.SaveScores());
  const Bytes file = ReadFileBytes("Karoblen.scr");
  ASSERT_EQ(file.size(), 2640u);
  for (int r = 0; r < 120; ++r) EXPECT_EQ(RecordOf(file, r), BlankRecord()) << "record " << r;
  EXPECT_TRUE(LeftoverTemporaryFiles().empty());
}

TEST_F(ScoreFileTest, RecordHoldsZeroPaddedNameZeroSeparatorAndBigEndianScore) {
  CScoreStore tables;
  tables.InsertEntry(ScoreTableIndex(1, 3), "Ann", 300, false, true);  // table 4: bytes 880..1099
  const Bytes file = ReadFileBytes("Karoblen.scr");
  ASSERT_EQ(file.size(), 2640u);
  const Bytes expected{'A', 'n', 'n', 0, 0, 0, 0,    0,    0,    0,    0,
                       0,   0,   0,   0, 0, 0, 0x00, 0x00, 0x00, 0x01, 0x2C};
  EXPECT_EQ(RecordOf(file, 40), expected);
  EXPECT_EQ(RecordOf(file, 39), BlankRecord());
  EXPECT_EQ(RecordOf(file, 41), BlankRecord());
}

TEST_F(ScoreFileTest, LoadReadsNamesAndScoresInFileOrder) {
  Bytes file = BlankScoreFile();
  PutRecord(file, 0, Record("Zed", 0x00002000, 0x7F));  // the separator is ignored
  PutRecord(file, 1, Record("Low", 2));
  PutRecord(file, 2,
            Record(std::string_view("Bo\0ZZZZ", 7), 5));  // bytes after the terminator are dropped
  PutRecord(file, 119, Record("Last", 9));
  WriteFileBytes("Karoblen.scr", file);

  CScoreStore tables;
  tables.LoadScores();
  EXPECT_STREQ(tables.Entry(0, 0).name, "Zed");
  EXPECT_EQ(tables.Entry(0, 0).score, 8192);
  EXPECT_EQ(tables.Entry(0, 1).score, 2);
  EXPECT_EQ(tables.Entry(0, 2).score, 5);  // taken as stored, even out of order
  EXPECT_EQ(std::memcmp(tables.Entry(0, 2).name, "Bo\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 17), 0);
  EXPECT_STREQ(tables.Entry(11, 9).name, "Last");
  EXPECT_EQ(tables.Entry(11, 9).score, 9);
}

// A record that no merge would take, loaded as it is, would be written back
// by every save, and every other game's save would then refuse the whole
// file: it is dropped, the later entries of its table move up, and a save
// that finds it on disk merges the rest of the file.
TEST_F(ScoreFileTest, RecordAMergeWouldRejectIsDroppedAndNeverBlocksTheRest) {
  const struct {
    const char* what;
    Bytes record;
  } kPoisoned[] = {
      {"16877", Record("Over", 16877)},
      {"-1", Record("Minus", 0xFFFFFFFF)},
      {"2147483647", Record("Max", 0x7FFFFFFF)},
      {"-2147483648", Record("Min", 0x80000000)},
      {"no terminator", Record("ABCDEFGHIJKLMNOPQ", 7)},
  };
  Bytes file = BlankScoreFile();
  PutRecord(file, 30, Record("First", 900));
  PutRecord(file, 32, Record("Third", 16876));  // the highest reachable score is no poison
  PutRecord(file, 119, Record("Last", 9));
  // What is left of the file: record 32 moved up to 31.
  Bytes cleaned = file;
  PutRecord(cleaned, 31, Record("Third", 16876));
  PutRecord(cleaned, 32, BlankRecord());
  for (const auto& poisoned : kPoisoned) {
    PutRecord(file, 31, poisoned.record);
    WriteFileBytes("Karoblen.scr", file);
    // A game that started before the record arrived saves beside it.
    CScoreStore earlier;
    earlier.InsertEntry(0, "Mine", 5, false, false);
    ASSERT_TRUE(earlier.SaveScores()) << poisoned.what;
    Bytes merged = BlankScoreFile();
    PutRecord(merged, 0, Record("Mine", 5));
    PutRecord(merged, 30, Record("Third", 16876));
    PutRecord(merged, 31, Record("First", 900));
    PutRecord(merged, 110, Record("Last", 9));  // merged entries take their place
    EXPECT_EQ(ReadFileBytes("Karoblen.scr"), merged) << poisoned.what;

    WriteFileBytes("Karoblen.scr", file);
    CScoreStore loaded;
    loaded.LoadScores();
    EXPECT_STREQ(loaded.Entry(3, 1).name, "Third") << poisoned.what;
    EXPECT_EQ(loaded.Entry(3, 2).score, 0) << poisoned.what;
    ASSERT_TRUE(loaded.SaveScores()) << poisoned.what;
    EXPECT_EQ(ReadFileBytes("Karoblen.scr"), cleaned) << poisoned.what;
  }
}

TEST_F(ScoreFileTest, ShortFileLoadsItsCompleteRecordsAndLeavesTheRestBlank) {
  Bytes file = Record("One", 11);
  const Bytes second = Record("Two", 10);
  file.insert(file.end(), second.begin(), second.end());
  file.insert(file.end(), {'T', 'h', 'r', 'e', 'e', 0, 0, 0, 0, 0});  // a torn third record
  WriteFileBytes("Karoblen.scr", file);

  CScoreStore tables;
  tables.InsertEntry(5, "Gone", 99, false, false);
  tables.LoadScores();
  EXPECT_STREQ(tables.Entry(0, 0).name, "One");
  EXPECT_EQ(tables.Entry(0, 1).score, 10);
  EXPECT_STREQ(tables.Entry(0, 2).name, "                ");
  EXPECT_EQ(tables.Entry(0, 2).score, 0);
  EXPECT_EQ(tables.Entry(5, 0).score, 0);  // the file replaced what was in memory
}

TEST_F(ScoreFileTest, SaveThenLoadGivesBackTheSameTables) {
  CScoreStore saved;
  saved.InsertEntry(0, "x", 1, false, false);
  saved.InsertEntry(11, "\xE9t\xE9", 16876, false, false);
  saved.InsertEntry(7, "sixteen-chars-ok", 42, false, true);
  CScoreStore loaded;
  loaded.LoadScores();
  EXPECT_TRUE(std::ranges::equal(saved.Entries(), loaded.Entries()));
}

TEST_F(ScoreFileTest, FifoOrDirectoryNamedLikeTheScoreFileLoadsNothingAndNeverBlocks) {
  alarm(20);  // a blocking open would otherwise hang the whole test run
  ASSERT_EQ(::mkfifo("Karoblen.scr", 0600), 0);
  CScoreStore fromFifo;
  fromFifo.LoadScores();
  ExpectAllBlank(fromFifo);

  std::filesystem::remove("Karoblen.scr");
  std::filesystem::create_directory("Karoblen.scr");
  CScoreStore fromDirectory;
  fromDirectory.LoadScores();
  ExpectAllBlank(fromDirectory);
  alarm(0);
}

TEST_F(ScoreFileTest, FailedSaveKeepsTablesAndTheNextSaveWritesThem) {
  // A directory in the way makes the final rename fail, even for root.
  std::filesystem::create_directory("Karoblen.scr");
  CScoreStore tables;
  EXPECT_EQ(tables.InsertEntry(3, "Kept", 250, false, true), 0);
  EXPECT_FALSE(tables.SaveScores());
  EXPECT_TRUE(LeftoverTemporaryFiles().empty());
  EXPECT_STREQ(tables.Entry(3, 0).name, "Kept");

  std::filesystem::remove("Karoblen.scr");
  ASSERT_TRUE(tables.SaveScores());
  EXPECT_EQ(RecordOf(ReadFileBytes("Karoblen.scr"), 30), Record("Kept", 250));
}

TEST_F(ScoreFileTest, SaveKeepsThePermissionsOfTheFileItReplaces) {
  CScoreStore tables;
  ASSERT_TRUE(tables.SaveScores());
  ASSERT_EQ(::chmod("Karoblen.scr", 0640), 0);
  ASSERT_TRUE(tables.SaveScores());
  struct stat info {};
  ASSERT_EQ(::stat("Karoblen.scr", &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(ScoreFileTest, SaveThroughALinkReplacesTheFileItPointsAtAndKeepsTheLink) {
  std::filesystem::create_directory("shared");
  CScoreStore tables;
  ASSERT_TRUE(tables.SaveScores());
  std::filesystem::rename("Karoblen.scr", "shared/Karoblen.scr");
  std::filesystem::create_symlink("shared/Karoblen.scr", "Karoblen.scr");

  tables.InsertEntry(ScoreTableIndex(0, 2), "Linked", 12, false, true);
  EXPECT_TRUE(std::filesystem::is_symlink("Karoblen.scr"));
  EXPECT_EQ(RecordOf(ReadFileBytes("shared/Karoblen.scr"), 0), Record("Linked", 12));
}

}  // namespace
