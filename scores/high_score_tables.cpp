// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/high_score_tables.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kSeparatorOffset = kNameFieldBytes;
constexpr std::size_t kScoreOffset = kNameFieldBytes + 1;

std::int32_t ReadBigEndian(const unsigned char* bytes) {
  const std::uint32_t value = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                              (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
  return static_cast<std::int32_t>(value);
}

std::span<const unsigned char, kScoreRecordBytes> RecordAt(std::span<const unsigned char> bytes,
                                                           int index) {
  return bytes.subspan(static_cast<std::size_t>(index) * kScoreRecordBytes)
      .first<kScoreRecordBytes>();
}

}  // namespace

std::string_view NameOf(const HighScoreEntry& entry) {
  return {entry.name, ::strnlen(entry.name, kNameFieldBytes)};
}

void CopyName(char (&field)[kNameFieldBytes], std::string_view name) {
  const std::size_t terminator = name.find('\0');
  if (terminator != std::string_view::npos) name = name.substr(0, terminator);
  name = name.substr(0, kMaxNameBytes);
  std::memset(field, 0, kNameFieldBytes);
  std::memcpy(field, name.data(), name.size());
}

void EncodeRecord(const HighScoreEntry& entry, std::span<unsigned char, kScoreRecordBytes> out) {
  std::memcpy(out.data(), entry.name, kNameFieldBytes);
  out[kSeparatorOffset] = 0;
  const auto score = static_cast<std::uint32_t>(entry.score);
  out[kScoreOffset] = static_cast<unsigned char>(score >> 24);
  out[kScoreOffset + 1] = static_cast<unsigned char>(score >> 16);
  out[kScoreOffset + 2] = static_cast<unsigned char>(score >> 8);
  out[kScoreOffset + 3] = static_cast<unsigned char>(score);
}

HighScoreEntry DecodeRecord(std::span<const unsigned char, kScoreRecordBytes> record) {
  HighScoreEntry entry{};
  // A field without a zero byte keeps its first 16 bytes.
  CopyName(entry.name, {reinterpret_cast<const char*>(record.data()), kNameFieldBytes});
  entry.score = ReadBigEndian(record.data() + kScoreOffset);
  return entry;
}

CHighScoreTables::CHighScoreTables() { BlankAllEntries(); }

void CHighScoreTables::BlankAllEntries() {
  for (HighScoreEntry& entry : m_entries) {
    CopyName(entry.name, "                ");
    entry.score = 0;
  }
}

int CHighScoreTables::InsertEntry(int tableIndex, std::string_view name, int score,
                                  bool checkDuplicates, bool save) {
  HighScoreEntry incoming{};
  CopyName(incoming.name, name);
  incoming.score = score;

  HighScoreEntry* table = m_entries + tableIndex * kEntriesPerTable;
  if (checkDuplicates) {
    for (int p = 0; p < kEntriesPerTable; ++p) {
      if (table[p].score == score && NameOf(table[p]) == NameOf(incoming)) return kEntryDuplicate;
    }
  }
  if (score <= table[kEntriesPerTable - 1].score) return kEntryNotHighEnough;

  // Equal scores stay above: the earlier arrival keeps the higher rank.
  int position = kEntriesPerTable - 1;
  while (position > 0 && score > table[position - 1].score) {
    table[position] = table[position - 1];
    --position;
  }
  table[position] = incoming;

  if (save) SaveScores();
  return position;
}

void CHighScoreTables::EncodeScoreFile(std::span<unsigned char, kScoreFileBytes> out) const {
  for (int i = 0; i < kScoreEntryCount; ++i) {
    EncodeRecord(
        m_entries[i],
        out.subspan(static_cast<std::size_t>(i) * kScoreRecordBytes).first<kScoreRecordBytes>());
  }
}

void CHighScoreTables::DecodeScoreFile(std::span<const unsigned char> bytes) {
  BlankAllEntries();
  const int records =
      static_cast<int>(std::min<std::size_t>(bytes.size() / kScoreRecordBytes, kScoreEntryCount));
  // Kept, one record that no merge would take would be saved again by every
  // save, and every other game's save would then refuse the whole file.
  int kept[kScoreTableCount] = {};
  for (int i = 0; i < records; ++i) {
    const auto record = RecordAt(bytes, i);
    if (FaultOf(record) != RecordFault::None) continue;
    const int table = i / kEntriesPerTable;
    m_entries[table * kEntriesPerTable + kept[table]++] = DecodeRecord(record);
  }
}

RecordFault FaultOf(std::span<const unsigned char, kScoreRecordBytes> record) {
  // The separator byte is not looked at: files in the wild carry anything there.
  if (std::find(record.begin(), record.begin() + kNameFieldBytes, 0) ==
      record.begin() + kNameFieldBytes)
    return RecordFault::NoNul;
  const std::int32_t score = ReadBigEndian(record.data() + kScoreOffset);
  if (score < 0 || score > kMaxPossibleScore) return RecordFault::ScoreOutOfReach;
  return RecordFault::None;
}

bool CHighScoreTables::ValidateScoreBuffer(std::span<const unsigned char> bytes, bool* noNul) {
  if (noNul) *noNul = false;
  if (bytes.size() != kScoreFileBytes) return false;
  for (int i = 0; i < kScoreEntryCount; ++i) {
    const RecordFault fault = FaultOf(RecordAt(bytes, i));
    if (fault == RecordFault::NoNul && noNul) *noNul = true;
    if (fault != RecordFault::None) return false;
  }
  return true;
}

MergeOutcome CHighScoreTables::MergeBuffer(std::span<const unsigned char> bytes) {
  MergeOutcome outcome;
  outcome.valid = ValidateScoreBuffer(bytes, &outcome.noNul);
  if (!outcome.valid) return outcome;
  return MergeValidRecords(bytes);
}

MergeOutcome CHighScoreTables::MergeValidRecords(std::span<const unsigned char> bytes) {
  MergeOutcome outcome;
  outcome.valid = true;
  const int records =
      static_cast<int>(std::min<std::size_t>(bytes.size() / kScoreRecordBytes, kScoreEntryCount));
  for (int i = 0; i < records; ++i) {
    const auto record = RecordAt(bytes, i);
    if (FaultOf(record) != RecordFault::None) continue;
    const HighScoreEntry entry = DecodeRecord(record);
    if (entry.score <= 0) continue;
    // Record i belongs to table i / 10 wherever it stands within it; the
    // name bytes are Latin-1 already.
    const int result = InsertEntry(i / kEntriesPerTable, NameOf(entry), entry.score, true, false);
    if (result >= 0) {
      ++outcome.added;
    } else if (result == kEntryDuplicate) {
      ++outcome.duplicates;
    }
  }
  return outcome;
}
