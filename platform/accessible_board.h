// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology can read of a view that shows a board of cells:
// its size, what each cell shows, which cells are highlighted and where the
// keyboard cursor is. The view implements it in its own terms; the desktop
// offers it to screen readers as a table.
#include <string>

#include "platform/afx_types.h"

class CAccessibleBoard {
 public:
  virtual ~CAccessibleBoard() = default;

  virtual std::string GetBoardName() const = 0;
  virtual int GetBoardColumns() const = 0;
  virtual int GetBoardRows() const = 0;
  // The cell's square in the view's client pixels.
  virtual CRect GetCellRect(int column, int row) const = 0;
  // A word for what the cell shows, and the rest a listener needs of it.
  virtual std::string GetCellName(int column, int row) const = 0;
  virtual std::string GetCellDescription(int column, int row) const = 0;
  virtual bool IsCellHighlighted(int column, int row) const = 0;
  // The keyboard cursor's cell as (column, row); (-1, -1) while it is hidden.
  virtual CPoint GetCursorCell() const = 0;
};
