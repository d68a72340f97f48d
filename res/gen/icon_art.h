// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "indexed_image.h"

namespace resgen {

// The program's icon, 32 x 32 in StandardPalette(): four tiles of 16 x 16.
IndexedImage DrawIcon();
// The same four tiles drawn at 8 x 8 for the 16-pixel sizes, where halving
// the large picture would lose its bevels.
IndexedImage DrawSmallIcon();

// The 32 x 32, 16-colour icon as a complete .ico file.
std::vector<std::uint8_t> MakeIconFile();

// The icon for a desktop icon theme, `size` pixels square, as a PNG: the
// larger whole-factor enlargement of either picture that fits, centred on a
// transparent square.
std::vector<std::uint8_t> MakeThemeIconPng(int size);

}  // namespace resgen
