// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Player names are kept as ISO 8859-1 (Latin-1) bytes, one byte per
// character, so that 16 characters always fit the 17-byte name field and a
// score file reads the same on every machine. The desktop's texts are UTF-8;
// these functions translate at the border, and the name prompt takes only
// what Latin-1 holds, so that nothing typed is ever replaced.
#include <string>
#include <string_view>

// Characters Latin-1 cannot hold, and bytes that are not valid UTF-8, each
// become one '?'.
std::string Utf8ToLatin1(std::string_view utf8);
std::string Latin1ToUtf8(std::string_view latin1);

// What a name typed as `utf8` keeps: the characters Latin-1 holds, in
// order, and the others, each once, separated by spaces, for telling the
// player (both UTF-8; `refused` empty when everything fits).
struct Latin1Split {
  std::string kept;
  std::string refused;
};
Latin1Split SplitByLatin1(std::string_view utf8);
