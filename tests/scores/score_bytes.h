// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Score files written out by hand, independently of the code under test.
#include <cstdint>
#include <string_view>
#include <vector>

using Bytes = std::vector<unsigned char>;

// The 22 bytes of a blank entry: 16 spaces, the terminator, the separator, 0.
const Bytes& BlankRecord();
// A record with `name` zero-padded to 17 bytes and the four score bytes given.
Bytes Record(std::string_view name, std::uint32_t bigEndianScore, unsigned char separator = 0);
// 120 blank records.
Bytes BlankScoreFile();
// A file whose only entry is Old's 9, the one the save tests start from.
Bytes OldFile();
// Overwrites record `index` of `file` (which must be long enough).
void PutRecord(Bytes& file, int index, const Bytes& record);
// The 22 bytes of record `index`.
Bytes RecordOf(const Bytes& file, int index);
