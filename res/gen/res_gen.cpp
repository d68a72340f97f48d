// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: writes the program's pictures and sounds into the
// directory given as its first argument, for embedding into karoblen_res,
// and the icon for the desktop's icon themes at each size given after it.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "icon_art.h"
#include "indexed_image.h"
#include "tile_symbols_art.h"
#include "tileset_art.h"
#include "toolbar_art.h"
#include "wave_synth.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "res_gen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: res_gen OUTPUT_DIR [ICON_SIZE...]\n");
    return 2;
  }
  using namespace resgen;
  const std::string dir = std::string(argv[1]) + "/";
  bool ok = true;
  ok &= WriteFile(dir + "tileset_145.bmp", EncodeBmp4(DrawTileset(), TilesetPalette()));
  ok &=
      WriteFile(dir + "tile_symbols_149.bmp", EncodeBmp4(DrawTileSymbols(), TileSymbolsPalette()));
  ok &= WriteFile(dir + "toolbar_128.bmp", EncodeBmp4(DrawToolbar(), StandardPalette()));
  ok &= WriteFile(dir + "icon_128.ico", MakeIconFile());
  ok &= WriteFile(dir + "wave_139.wav", MakeDropSound());
  ok &= WriteFile(dir + "wave_140.wav", MakeRemoveSound());
  ok &= WriteFile(dir + "wave_141.wav", MakeShiftSound());
  ok &= WriteFile(dir + "wave_144.wav", MakeTallySound());
  ok &= WriteFile(dir + "wave_146.wav", MakeUndoSound());
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "res_gen: icon size %s is not between 16 and 1024\n", argv[i]);
      return 2;
    }
    ok &= WriteFile(dir + "icon_" + std::to_string(size) + ".png", MakeThemeIconPng(size));
  }
  return ok ? 0 : 1;
}
