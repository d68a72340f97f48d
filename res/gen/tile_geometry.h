// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The measures of one tile picture, shared by the tiles and the marks drawn
// on their faces, so that a mark stays centred if the tile's bands change.

namespace resgen::tile {

// Pixels along either axis of a picture, and of the bands of an unjoined
// side (see tileset_art.cpp).
constexpr int kSize = 40;
constexpr int kOutline = 2;
constexpr int kBevel = 4;
constexpr int kSeam = 2;

// The face of a lone tile.
constexpr int kFaceStart = kOutline + kBevel;
constexpr int kFaceSize = kSize - 2 * (kOutline + kBevel) - kSeam;

}  // namespace resgen::tile
