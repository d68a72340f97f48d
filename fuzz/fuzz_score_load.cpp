// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes at all as the score file: the load must not crash, must take the
// complete records that a merge would take as they are, dropping the others
// with the later entries of their table moving up, and must leave every name
// terminated within 16 bytes with zeros after the terminator.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/scratch_directory.h"
#include "scores/score_store.h"

namespace {

std::string g_directory;

void RemoveScratchDirectory() {
  ::unlink(kScoreFileName);
  if (::chdir("/") == 0) ::rmdir(g_directory.c_str());
}

std::int32_t BigEndianAt(const std::uint8_t* p) {
  return static_cast<std::int32_t>((std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                                   (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_directory = EnterFuzzScratchDirectory("fuzz-load");
  ::atexit(RemoveScratchDirectory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(kScoreFileName, "wb");
  if (!file) ::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) ::abort();
  std::fclose(file);

  CScoreStore tables;
  tables.InsertEntry(4, "stale", 77, false, false);
  tables.LoadScores();

  const std::size_t complete = std::min<std::size_t>(size / kScoreRecordBytes, kScoreEntryCount);
  // Where each table's next kept record goes, counted here by the merge's own
  // rules, written out again.
  std::size_t kept[kScoreTableCount] = {};
  std::vector<const std::uint8_t*> expected(kScoreEntryCount, nullptr);
  for (std::size_t r = 0; r < complete; ++r) {
    const std::uint8_t* record = data + r * kScoreRecordBytes;
    const std::int32_t score = BigEndianAt(record + kNameFieldBytes + 1);
    if (std::memchr(record, 0, kNameFieldBytes) == nullptr || score < 0 ||
        score > kMaxPossibleScore)
      continue;
    const std::size_t table = r / kEntriesPerTable;
    expected[table * kEntriesPerTable + kept[table]++] = record;
  }
  for (std::size_t i = 0; i < kScoreEntryCount; ++i) {
    const HighScoreEntry& entry = tables.Entries()[i];
    const std::size_t length = ::strnlen(entry.name, kNameFieldBytes);
    if (length > kMaxNameBytes) ::abort();
    for (std::size_t j = length; j < kNameFieldBytes; ++j)
      if (entry.name[j] != '\0') ::abort();
    if (const std::uint8_t* record = expected[i]) {
      if (entry.score != BigEndianAt(record + kNameFieldBytes + 1)) ::abort();
      if (std::memcmp(entry.name, record, length) != 0 || record[length] != 0) ::abort();
    } else if (entry.score != 0 || std::strcmp(entry.name, "                ") != 0) {
      ::abort();
    }
  }
  return 0;
}
