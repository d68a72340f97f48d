// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexed_image.h"

namespace resgen {

// The toolbar's 48 x 15 button strip: New Game, Undo, About.
IndexedImage DrawToolbar();

}  // namespace resgen
