// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours that the pictures and the game's own painting must agree on.
#include <cstdint>

namespace res {

struct Colour {
  std::uint8_t r, g, b;
};

// The light grey of the pictures' 16-colour palette. The toolbar strip's
// background, which the toolbar shows see-through, and the colour an empty
// board cell is painted with, so that empty cells match the tile sheet.
inline constexpr Colour kLightGrey{192, 192, 192};

// The see-through colour of the tile symbols' picture, found nowhere in them.
inline constexpr Colour kTileSymbolKey{255, 0, 255};

}  // namespace res
