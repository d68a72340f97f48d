// Karoblen: start-up. The two informational switches answer without touching
// any display; --in-data-dir moves into the game's own directory before the
// score file is read; --tile-symbols starts with the tile symbols on; every
// other argument is ignored and a new game starts.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/karoblen_app.h"
#include "platform/desktop/data_directory.h"
#include "platform/desktop/desktop_check.h"

namespace {

constexpr const char* kUsage =
    "Usage: karoblen [--in-data-dir] [--tile-symbols] [--help | --version]\n"
    "Starts Karoblen, a tile puzzle: click a group of two or more like tiles\n"
    "to remove it. High scores are kept in Karoblen.scr in the current directory.\n"
    "\n"
    "  --in-data-dir  play in $XDG_DATA_HOME/karoblen (~/.local/share/karoblen\n"
    "                 by default), made on first use, so that the score file is\n"
    "                 kept there; the desktop menu starts the game this way\n"
    "  --tile-symbols mark each kind of tile with a shape of its own, as\n"
    "                 Game > Tile Symbols does\n"
    "  --help         show this text and exit\n"
    "  --version      show the version and exit\n";

}  // namespace

int main(int argc, char** argv) {
  bool inDataDir = false;
  bool tileSymbols = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--in-data-dir") == 0) inDataDir = true;
    if (std::strcmp(argv[i], "--tile-symbols") == 0) tileSymbols = true;
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::puts("Karoblen 1.1");
      return 0;
    }
  }

  const std::string missing = FindMissingDesktop();
  if (!missing.empty()) {
    std::fprintf(stderr,
                 "Karoblen needs a desktop to show its window, and there is none here (%s).\n"
                 "Start it from a terminal inside your desktop session.\n",
                 missing.c_str());
    return 1;
  }

  if (inDataDir) {
    const std::string why = EnterDataDirectory();
    if (!why.empty()) {
      std::fprintf(stderr, "Karoblen cannot keep its scores in its data directory: %s.\n",
                   why.c_str());
      return 1;
    }
  }

  static CKaroblenApp theApp;
  if (tileSymbols) theApp.StartWithTileSymbols();
  return AfxWinMain(theApp, argc, argv);
}
