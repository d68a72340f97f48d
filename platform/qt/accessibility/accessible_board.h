#pragma once
// The board of a form view as assistive technology sees it. The view's widget
// holds, besides its texts, a table whose cells are named by the view (a
// CAccessibleBoard); the keyboard cursor's cell is the focused one. Changes
// are told after each paint, which follows every change a player can see.
#include <QWidget>
#include <string>
#include <vector>

#include "platform/accessible_board.h"

// The board a widget shows, or nullptr for any other widget. The window
// layer knows its board widgets; this layer only asks.
using BoardOfWidget = const CAccessibleBoard* (*)(QWidget* widget);

// Installs, once per run, the factory that gives a widget showing a board its
// accessible table; before the widget's interface is first asked for.
void InstallAccessibleBoardFactory(BoardOfWidget boardOf);

class CQtBoardAccessNotifier {
 public:
  CQtBoardAccessNotifier(QWidget& widget, const CAccessibleBoard& board)
      : m_widget(widget), m_board(board) {}

  // Tells what changed since the last call: the board's size, the cells'
  // names and the cursor's cell.
  void BoardPainted();
  // The widget took the keyboard focus; the cursor's cell, if shown, has it.
  void FocusEntered();

 private:
  QWidget& m_widget;
  const CAccessibleBoard& m_board;
  int m_nColumns = 0;
  int m_nRows = 0;
  std::vector<std::string> m_names;  // row by row
  CPoint m_cursor{-1, -1};
};
