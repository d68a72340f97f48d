// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document's one tie to the high scores. The object behind it keeps the
// twelve tables and the score file, asks for names and shows the table; the
// document only forwards to it, so the rules stay free of any window.
#include <string>

class CHighScoreKeeper {
 public:
  virtual ~CHighScoreKeeper() = default;
  // Selects the table of a board size (0-2) and number of tile kinds (2-5).
  virtual void SetBoard(int boardSize, int tileKinds) = 0;
  // The number of the board the score was made on, shown with the table.
  virtual void SetBoardNumber(unsigned) {}
  // Records a finished game's score; -1 only views the table.
  virtual void SubmitScore(int score) = 0;
  // Shows the selected table until the player closes it.
  virtual int DoModal() = 0;
  virtual void MergeFrom(std::string path) = 0;
};
