// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The string table: the document descriptor, the application name, the
// command prompts/tooltips, the framework's standard texts, and what a screen
// reader reads of the board and the high scores.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace res {

struct StringEntry {
  int id;
  const char* text;
};

// All entries, sorted by id, in English: the source of the catalogues.
std::span<const StringEntry> StringTable();

// The string with `id` in the player's language, or nullptr when the table has none (as for
// ID_FILE_MERGESCORES, whose status-bar prompt is deliberately empty).
const char* LoadString(int id);

// The string with `id`, each "%1" to "%9" in it replaced by that argument
// (res/text_markers.h); empty when the table has no such string.
std::string FormatString(int id, std::initializer_list<std::string_view> args);

// A command's string holds "prompt\ntooltip". Both are empty when the
// command has no string; the tooltip is empty when there is no "\n".
std::string_view CommandPrompt(int id);
std::string_view CommandTooltip(int id);

}  // namespace res
