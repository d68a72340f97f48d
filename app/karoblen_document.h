// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document the application really runs: the board engine together with
// the high-score tables it reports to. Built with the document, the tables
// load the score file at start-up.
#include "scores/high_score_dlg.h"
#include "view/board_document.h"

class CKaroblenAppDoc : public CBoardDocument {
 public:
  CKaroblenAppDoc() { AttachHighScores(&m_highScoreDlg); }

 private:
  // Goes before the board engine does; the engine's destructor leaves it alone.
  CHighScoreDlg m_highScoreDlg;
};
