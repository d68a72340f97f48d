// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Static texts of a dialog that belong together as a table, so that
// assistive technology can offer them as one: rows of texts that follow one
// another in the template, row by row.

#include <cstddef>
#include <span>

namespace res {

struct TextTable {
  int dialogId;
  int nameId;                // string: the table's name
  std::size_t firstControl;  // index in the template of the first row's first text
  int rows;
  std::span<const int> headerIds;  // string per column: its heading
  // A row whose text in this column is blank holds nothing; it reads as
  // empty throughout but for the first column.
  int keyColumn;
};

// The table of dialog `dialogId`, or nullptr when it has none.
const TextTable* FindTextTable(int dialogId);

}  // namespace res
