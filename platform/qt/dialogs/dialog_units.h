// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Template geometry is in dialog units, which scale with the dialog's font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its height.
#include <QFont>
#include <QRect>

// The desktop's sans-serif font at `pointSize`; it stands in for the font
// name the templates were laid out with.
QFont TemplateFont(int pointSize);

struct DialogBaseUnits {
  int avgCharWidth = 0;
  int charHeight = 0;

  // Rounds to the nearest pixel.
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QRect ToPixels(int x, int y, int width, int height) const;
};

// The average width is taken over the 52 Latin letters, rounded.
DialogBaseUnits BaseUnitsOf(const QFont& font);
