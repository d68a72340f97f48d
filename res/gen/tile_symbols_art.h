// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexed_image.h"

namespace resgen {

// One 40 x 40 picture per kind, side by side in the kinds' order, each a
// mark for the middle of the tile's face; everything around a mark is the
// see-through key colour, index 0 of TileSymbolsPalette().
IndexedImage DrawTileSymbols();
Palette16 TileSymbolsPalette();

}  // namespace resgen
