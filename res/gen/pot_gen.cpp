// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the catalogue entries of every table in res/ to standard output as
// the game's part of po/karoblen.pot; po/update.cmake adds the desktop
// entry's and the metainfo's texts and brings every .po up to date.
#include <iostream>
#include <string>
#include <string_view>

#include "res/catalogue_entries.h"

namespace {

std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out + "\"";
}

constexpr std::string_view kHeader = R"(# The texts of Karoblen, for translators.
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Made by `make update-po` from the tables in res/, the desktop entry and the
# metainfo; do not edit it, edit po/LL.po. Each text of the game carries its
# resource id as its context (msgctxt), so that one English word in two
# places may be translated twice:
#   "menu 128 popup N"          the menu bar's Nth menu, from 0
#   "menu 128 command C"        the item of command C in its menu
#   "string S"                  string S of the string table
#   "dialog D"                  the caption of dialog D
#   "dialog D control C"        control C of dialog D, or one of its list's
#                               items; C is -1 for the dialog's fixed texts
#   "text NAME"                 one of the game's sentences (res/game_texts.h)
# The desktop entry's and the metainfo's texts have no context.
# The game's name, Karoblen, stays as it is in every language.
#
# "%1" to "%9" stand for values; keep each one, in any order. "&" marks the
# access key: keep one, unique within its menu or dialog. "\n" is a line
# break; keep as many. Numbers stay plain digits.
#
msgid ""
msgstr ""
"Project-Id-Version: karoblen\n"
"Report-Msgid-Bugs-To: karoblen@users.invalid\n"
"Language: \n"
"MIME-Version: 1.0\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Content-Transfer-Encoding: 8bit\n"
)";

}  // namespace

int main() {
  std::cout << kHeader;
  for (const res::CatalogueEntry& entry : res::CatalogueEntries()) {
    std::cout << "\n#. " << entry.note << "\n"
              << "msgctxt " << Quoted(entry.context) << "\n"
              << "msgid " << Quoted(entry.english) << "\n"
              << "msgstr \"\"\n";
  }
  return 0;
}
