// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A board is named by its number together with its size and kinds: the
// number seeds the deal, so the three always give the same board, and a
// player can tell another which board to beat. Numbers typed in by a player
// are read here, the same way for the command line and for the dialog.
#include <string_view>

inline constexpr unsigned kMaxBoardNumber = 2147483647u;

// Why a text names no board; None when it does.
enum class BoardNumberFault { None, Empty, NotDigits, TooLarge };

// Decimal digits only, optionally surrounded by spaces: no sign, no other
// characters, at most kMaxBoardNumber. `number` is set only when the text
// names a board.
BoardNumberFault ReadBoardNumber(std::string_view text, unsigned& number);
