// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "scores/score_store.h"
#include "scratch_directory.h"

namespace {

using InsertEntryTest = ScratchDirectoryTest;

struct Row {
  std::string name;
  int score;
  friend bool operator==(const Row&, const Row&) = default;
};

std::vector<Row> TableRows(const CScoreStore& tables, int table) {
  std::vector<Row> rows;
  rows.reserve(10);
  for (int p = 0; p < 10; ++p)
    rows.push_back({tables.Entry(table, p).name, tables.Entry(table, p).score});
  return rows;
}

// Table 6 filled with 100, 90, ..., 10 named "a".."j".
CScoreStore FullTable() {
  CScoreStore tables;
  for (int i = 0; i < 10; ++i)
    tables.InsertEntry(6, std::string(1, static_cast<char>('a' + i)), 100 - 10 * i, false, false);
  return tables;
}

TEST_F(InsertEntryTest, BlankTableTakesAnyScoreAboveZeroAtTheTop) {
  CScoreStore tables;
  EXPECT_EQ(tables.InsertEntry(0, "zero", 0, false, false), kEntryNotHighEnough);
  EXPECT_EQ(tables.InsertEntry(0, "neg", -5, false, false), kEntryNotHighEnough);
  EXPECT_EQ(tables.InsertEntry(0, "one", 1, false, false), 0);
  EXPECT_STREQ(tables.Entry(0, 1).name, "                ");
}

TEST_F(InsertEntryTest, TieGoesBelowTheEqualScoreAndTheTenthEntryDropsOut) {
  CScoreStore tables = FullTable();
  EXPECT_EQ(tables.InsertEntry(6, "new", 70, false, false), 4);
  const std::vector<Row> expected{{"a", 100}, {"b", 90}, {"c", 80}, {"d", 70}, {"new", 70},
                                  {"e", 60},  {"f", 50}, {"g", 40}, {"h", 30}, {"i", 20}};
  EXPECT_EQ(TableRows(tables, 6), expected);
}

TEST_F(InsertEntryTest, ScoreEqualToTheTenthDoesNotQualify) {
  CScoreStore tables = FullTable();
  const auto before = TableRows(tables, 6);
  EXPECT_EQ(tables.InsertEntry(6, "tie", 10, false, true), kEntryNotHighEnough);
  EXPECT_EQ(TableRows(tables, 6), before);
  EXPECT_FALSE(FileExists("Karoblen.scr"));  // nothing changed, nothing written
}

TEST_F(InsertEntryTest, NewBestMovesEveryoneDown) {
  CScoreStore tables = FullTable();
  EXPECT_EQ(tables.InsertEntry(6, "top", 101, false, false), 0);
  EXPECT_EQ(TableRows(tables, 6)[1], (Row{"a", 100}));
  EXPECT_EQ(TableRows(tables, 6)[9], (Row{"i", 20}));
  EXPECT_EQ(tables.Entry(5, 0).score, 0);  // other tables untouched
  EXPECT_EQ(tables.Entry(7, 0).score, 0);
}

TEST_F(InsertEntryTest, DuplicateNeedsSameScoreAndSameBytes) {
  CScoreStore tables = FullTable();
  EXPECT_EQ(tables.InsertEntry(6, "c", 80, true, true), kEntryDuplicate);
  EXPECT_FALSE(FileExists("Karoblen.scr"));
  EXPECT_EQ(tables.InsertEntry(6, "C", 80, true, false), 3);   // letter case counts
  EXPECT_EQ(tables.InsertEntry(6, "c ", 80, true, false), 4);  // no trimming
  EXPECT_EQ(tables.InsertEntry(6, "a", 95, true, false), 1);   // same name, other score
  EXPECT_EQ(tables.InsertEntry(6, "a", 95, false, false), 2);  // played games skip the check
}

TEST_F(InsertEntryTest, NameIsCutAtSixteenBytesAndAtAZeroByte) {
  CScoreStore tables;
  tables.InsertEntry(1, "ABCDEFGHIJKLMNOPQRS", 5, false, false);
  tables.InsertEntry(1, std::string("Al\0ice", 6), 4, false, false);
  EXPECT_STREQ(tables.Entry(1, 0).name, "ABCDEFGHIJKLMNOP");
  EXPECT_STREQ(tables.Entry(1, 1).name, "Al");
  EXPECT_EQ(tables.Entry(1, 1).name[3], '\0');
  // A name compared for duplicates is compared as it would be stored.
  EXPECT_EQ(tables.InsertEntry(1, "ABCDEFGHIJKLMNOPxyz", 5, true, false), kEntryDuplicate);
}

}  // namespace
