// SPDX-License-Identifier: GPL-3.0-or-later
// Karoblen: start-up. The two informational switches answer without touching
// any display; --in-data-dir moves into the game's own directory before the
// score file is read, and when it cannot, says why in a message box as well;
// --tile-symbols starts with the tile symbols on; --board N starts on board N,
// and a number that names no board stops the start with status 2, before any
// display is looked for; every other argument is ignored and a new game
// starts. What is printed here comes from the game's texts in res/, like the
// rest, and the version from the project's.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "app/karoblen_app.h"
#include "platform/desktop/data_directory.h"
#include "platform/desktop/desktop_check.h"
#include "platform/desktop/locale_directory.h"
#include "res/game_texts.h"
#include "res/program_version.h"
#include "res/translation.h"

namespace {

void Print(std::FILE* stream, const std::string& text) { std::fputs(text.c_str(), stream); }

// A wrong command line is a usage error: the reason, the usage, status 2.
int RefuseBoard(const std::string& why) {
  Print(stderr, why);
  Print(stderr, std::string(res::Text(res::TextId::Usage)));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // First, so that even --help speaks the player's language.
  res::OpenCatalogues(FindLocaleDirectory());
  bool inDataDir = false;
  bool tileSymbols = false;
  std::optional<unsigned> board;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--board" || arg.starts_with("--board=")) {
      std::string_view text;
      if (arg == "--board") {
        if (i + 1 >= argc)
          return RefuseBoard(std::string(res::Text(res::TextId::BoardOptionMissing)));
        text = argv[++i];
      } else {
        text = arg.substr(std::strlen("--board="));
      }
      unsigned number = 0;
      const std::string why = CKaroblenApp::ReadBoardNumber(text, number);
      if (!why.empty())
        return RefuseBoard(res::FormatText(res::TextId::BadBoardOption, {text, why}));
      board = number;
      continue;
    }
    if (std::strcmp(argv[i], "--in-data-dir") == 0) inDataDir = true;
    if (std::strcmp(argv[i], "--tile-symbols") == 0) tileSymbols = true;
    if (std::strcmp(argv[i], "--help") == 0) {
      Print(stdout, std::string(res::Text(res::TextId::Usage)));
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      Print(stdout, res::FormatText(res::TextId::VersionLine, {res::kProgramVersion}) + "\n");
      return 0;
    }
  }

  const std::string missing = FindMissingDesktop();
  if (!missing.empty()) {
    Print(stderr, res::FormatText(res::TextId::NoDesktop, {missing}));
    return 1;
  }

  if (inDataDir) {
    const std::string why = EnterDataDirectory();
    if (!why.empty()) {
      const std::string text = res::FormatText(res::TextId::NoDataDirectory, {why});
      Print(stderr, text);
      // A menu launch has no terminal to read the line on.
      AfxStartupFailureBox(argc, argv, text.substr(0, text.find_last_not_of('\n') + 1));
      return 1;
    }
  }

  static CKaroblenApp theApp;
  if (tileSymbols) theApp.StartWithTileSymbols();
  if (board) theApp.StartOnBoard(*board);
  return AfxWinMain(theApp, argc, argv);
}
