// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The twelve ten-entry high-score tables, their records' bytes and the merge
// rules. Plain C++ only, so the fuzz targets can build it without any window
// code.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "game/rules.h"

// A name holds at most 16 Latin-1 bytes, then a zero byte; the bytes after
// the terminator are zero as well.
struct HighScoreEntry {
  char name[17];
  std::int32_t score;
  // Field by field: the padding after the name holds nothing of meaning.
  friend bool operator==(const HighScoreEntry&, const HighScoreEntry&) = default;
};

inline constexpr int kEntriesPerTable = 10;
inline constexpr int kScoreEntryCount = kScoreTableCount * kEntriesPerTable;
inline constexpr std::size_t kNameFieldBytes = sizeof(HighScoreEntry::name);
inline constexpr std::size_t kMaxNameBytes = kNameFieldBytes - 1;
// Name field, one separator byte, big-endian score.
inline constexpr std::size_t kScoreRecordBytes = kNameFieldBytes + 1 + 4;
inline constexpr std::size_t kScoreFileBytes = kScoreRecordBytes * kScoreEntryCount;
// The tables come from the rules; the file's size must never follow them.
static_assert(kScoreFileBytes == 2640, "other players' score files have this size");
// A merged score above what any game can reach marks the file as not ours.
inline constexpr std::int32_t kMaxPossibleScore = MaxPossibleScore();
// Relative on purpose: the scores live in the directory the game runs in.
inline constexpr char kScoreFileName[] = "Karoblen.scr";

// InsertEntry's results besides a position 0-9.
inline constexpr int kEntryNotHighEnough = -1;
inline constexpr int kEntryDuplicate = -2;

struct MergeOutcome {
  bool valid = false;
  bool noNul = false;  // validation stopped at a name field without a zero byte
  int added = 0;
  int duplicates = 0;
};

class CHighScoreTables {
 public:
  CHighScoreTables();
  virtual ~CHighScoreTables() = default;

  void BlankAllEntries();
  const HighScoreEntry& Entry(int tableIndex, int position) const {
    return m_entries[tableIndex * kEntriesPerTable + position];
  }
  std::span<const HighScoreEntry, kScoreEntryCount> Entries() const { return m_entries; }

  // Puts `name` (Latin-1 bytes, cut at a zero byte and after 16 bytes) with
  // `score` below every entry whose score is at least as high. Returns the
  // position, kEntryNotHighEnough or kEntryDuplicate (same score, same name
  // bytes, case-sensitive).
  int InsertEntry(int tableIndex, std::string_view name, int score, bool checkDuplicates,
                  bool save);

  // What InsertEntry calls when asked to save. The tables alone keep no
  // file: the score store (score_store.h) does.
  virtual bool SaveScores() { return false; }

  void EncodeScoreFile(std::span<unsigned char, kScoreFileBytes> out) const;
  // Blanks every entry, then takes each complete record of `bytes` (at most
  // 120) in order, except those a merge would reject (FaultOf): they are
  // dropped, and the later entries of their table move up.
  void DecodeScoreFile(std::span<const unsigned char> bytes);

  // A merge file must be exactly 2640 bytes, every name field must hold a
  // zero byte and every score must lie in 0..kMaxPossibleScore. Stops at the
  // first record that fails; `noNul` tells whether a name field did.
  static bool ValidateScoreBuffer(std::span<const unsigned char> bytes, bool* noNul);
  // Validates `bytes` and, only when valid, offers every record with a score
  // above 0 to its table, with the duplicate check and without saving.
  MergeOutcome MergeBuffer(std::span<const unsigned char> bytes);
  // Offers every complete record of `bytes` (at most 120) as MergeBuffer
  // does, passing over the ones a merge would reject instead of refusing the
  // rest with them: what a save does with the score file it finds on disk,
  // whatever one bad record a game or a hand once put there.
  MergeOutcome MergeValidRecords(std::span<const unsigned char> bytes);

 protected:
  HighScoreEntry m_entries[kScoreEntryCount];
};

// Copies `name` into a name field: up to its first zero byte, at most 16
// bytes, zero bytes after it.
void CopyName(char (&field)[kNameFieldBytes], std::string_view name);
// The name's bytes up to its terminator (never beyond the field).
std::string_view NameOf(const HighScoreEntry& entry);
// Why a merge would reject a record, if it would.
enum class RecordFault {
  None,
  NoNul,            // the name field holds no zero byte
  ScoreOutOfReach,  // below 0 or above kMaxPossibleScore
};
RecordFault FaultOf(std::span<const unsigned char, kScoreRecordBytes> record);
void EncodeRecord(const HighScoreEntry& entry, std::span<unsigned char, kScoreRecordBytes> out);
HighScoreEntry DecodeRecord(std::span<const unsigned char, kScoreRecordBytes> record);
