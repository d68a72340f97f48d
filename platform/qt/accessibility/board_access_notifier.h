// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells assistive technology what changed on a board (see CFormAccessible):
// after each paint, which follows every change a player can see, and when the
// board's widget takes the focus. The keyboard cursor's cell is the focused
// one.
#include <QWidget>
#include <string>
#include <vector>

#include "platform/accessible_board.h"

class CQtBoardAccessNotifier {
 public:
  CQtBoardAccessNotifier(QWidget& widget, const CAccessibleBoard& board)
      : m_widget(widget), m_board(board) {}

  // Tells what changed since the last call: the board's size, the cells'
  // names and the cursor's cell.
  void BoardPainted();
  // The widget took the keyboard focus; the cursor's cell, if shown, has it.
  // Told from the event loop, after the toolkit has told the widget.
  void FocusEntered();

 private:
  QWidget& m_widget;
  const CAccessibleBoard& m_board;
  int m_nColumns = 0;
  int m_nRows = 0;
  std::vector<std::string> m_names;  // row by row
  CPoint m_cursor{-1, -1};
  std::string m_cursorSpoken;  // the cursor's cell's name and description
};
