// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexed_image.h"

namespace resgen {

// The 640 x 400 sheet of every tile picture: column = join mask (0-15),
// row = 2 x kind + selected.
IndexedImage DrawTileset();
Palette16 TilesetPalette();

}  // namespace resgen
