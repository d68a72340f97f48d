// SPDX-License-Identifier: GPL-3.0-or-later
#include "score_bytes.h"

#include <algorithm>

const Bytes& BlankRecord() {
  static const Bytes blank{0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
                           0x20, 0x20, 0x20, 0x20, 0x20, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  return blank;
}

Bytes Record(std::string_view name, std::uint32_t bigEndianScore, unsigned char separator) {
  Bytes record(22, 0);
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 17), record.begin());
  record[17] = separator;
  record[18] = static_cast<unsigned char>(bigEndianScore >> 24);
  record[19] = static_cast<unsigned char>(bigEndianScore >> 16);
  record[20] = static_cast<unsigned char>(bigEndianScore >> 8);
  record[21] = static_cast<unsigned char>(bigEndianScore);
  return record;
}

Bytes BlankScoreFile() {
  Bytes file;
  for (int i = 0; i < 120; ++i) file.insert(file.end(), BlankRecord().begin(), BlankRecord().end());
  return file;
}

Bytes OldFile() {
  Bytes file = BlankScoreFile();
  PutRecord(file, 0, Record("Old", 9));
  return file;
}

void PutRecord(Bytes& file, int index, const Bytes& record) {
  std::copy(record.begin(), record.end(), file.begin() + index * 22);
}

Bytes RecordOf(const Bytes& file, int index) {
  return Bytes(file.begin() + index * 22, file.begin() + index * 22 + 22);
}
