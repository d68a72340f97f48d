// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/board_number.h"

BoardNumberFault ReadBoardNumber(std::string_view text, unsigned& number) {
  // Spaces around the number come along when it is copied from a message.
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return BoardNumberFault::Empty;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);

  for (const char ch : text)
    if (ch < '0' || ch > '9') return BoardNumberFault::NotDigits;

  // Checked digit by digit, so that no length of text can overflow.
  unsigned long long value = 0;
  for (const char ch : text) {
    value = value * 10 + static_cast<unsigned>(ch - '0');
    if (value > kMaxBoardNumber) return BoardNumberFault::TooLarge;
  }
  number = static_cast<unsigned>(value);
  return BoardNumberFault::None;
}
