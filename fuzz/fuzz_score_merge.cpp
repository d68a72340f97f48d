// SPDX-License-Identifier: GPL-3.0-or-later
// Validation and merge of any file contents over a random set of tables: no
// crash, an invalid file changes nothing, every table stays sorted, every
// name stays terminated, and the counts add up.
//
// Input: byte 0 picks how the rest is shaped, the next 8 bytes seed the
// starting tables, the rest is the file. Shaping pads or cuts the file to the one
// valid size and can tame the scores, so that the merge itself gets exercised
// and not only the size check.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scores/high_score_tables.h"

namespace {

class CTestTables : public CHighScoreTables {
 public:
  // Fills tables through InsertEntry, so they hold what play could produce.
  void Randomise(std::uint64_t seed) {
    for (int i = 0; i < 200; ++i) {
      seed = seed * 6364136223846793005ull + 1442695040888963407ull;
      const auto bits = static_cast<std::uint32_t>(seed >> 33);
      // Few names and a small score range make duplicates likely.
      const std::string name(1 + bits % 3, static_cast<char>('a' + (bits >> 2) % 3));
      InsertEntry(static_cast<int>((bits >> 5) % kScoreTableCount), name,
                  static_cast<int>((bits >> 9) % 40), false, false);
    }
  }
};

void CheckTables(const CHighScoreTables& tables) {
  for (int t = 0; t < kScoreTableCount; ++t) {
    for (int p = 0; p < kEntriesPerTable; ++p) {
      const HighScoreEntry& entry = tables.Entry(t, p);
      const std::size_t length = ::strnlen(entry.name, kNameFieldBytes);
      if (length > kMaxNameBytes) std::abort();
      for (std::size_t j = length; j < kNameFieldBytes; ++j)
        if (entry.name[j] != '\0') std::abort();
      if (p > 0 && entry.score > tables.Entry(t, p - 1).score) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t shape = data[0];
  const std::size_t seedBytes = std::min<std::size_t>(size - 1, 8);
  std::uint64_t seed = 0;
  std::memcpy(&seed, data + 1, seedBytes);
  std::vector<unsigned char> file(data + 1 + seedBytes, data + size);
  if (shape & 1) {
    // Short inputs grow to a whole file, by zeros or by repeating themselves.
    const std::size_t given = file.size();
    file.resize(kScoreFileBytes, 0);
    if ((shape & 16) && given > 0)
      for (std::size_t i = given; i < kScoreFileBytes; ++i) file[i] = file[i % given];
  }
  if ((shape & 2) && file.size() == kScoreFileBytes) {
    for (std::size_t r = 0; r < kScoreEntryCount; ++r) {
      unsigned char* record = file.data() + r * kScoreRecordBytes;
      record[kNameFieldBytes - 1] = 0;
      unsigned char* score = record + kNameFieldBytes + 1;
      score[0] = 0;
      score[1] = 0;
      score[2] &= (shape & 4) ? 0x41 : 0x3F;  // 0x41FF reaches just beyond the limit
    }
  }

  CTestTables tables;
  if (shape & 8) tables.Randomise(seed);
  std::vector<HighScoreEntry> before(tables.Entries().begin(), tables.Entries().end());

  bool noNul = false;
  const bool valid = CHighScoreTables::ValidateScoreBuffer(file, &noNul);
  const MergeOutcome outcome = tables.MergeBuffer(file);
  if (outcome.valid != valid || outcome.noNul != noNul) std::abort();
  if (noNul && valid) std::abort();
  CheckTables(tables);

  if (!valid) {
    if (outcome.added != 0 || outcome.duplicates != 0) std::abort();
    if (!std::ranges::equal(before, tables.Entries())) std::abort();
    return 0;
  }
  int offered = 0;
  for (std::size_t r = 0; r < kScoreEntryCount; ++r) {
    const unsigned char* score = file.data() + r * kScoreRecordBytes + kNameFieldBytes + 1;
    if (score[0] | score[1] | score[2] | score[3]) ++offered;
  }
  if (outcome.added < 0 || outcome.duplicates < 0 || outcome.added + outcome.duplicates > offered)
    std::abort();

  return 0;
}
