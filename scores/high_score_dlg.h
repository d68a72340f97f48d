// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The high scores as the game sees them: the dialog that shows one table,
// the name prompt for a new entry, and the messages of a merge and of a save
// that failed, over the score store that keeps the tables and their file.
// The document keeps one for the whole run.
#include <set>
#include <string>

#include "game/high_score_keeper.h"
#include "platform/dialog.h"
#include "scores/score_store.h"

class CHighScoreDlg : public CDialog, public CHighScoreKeeper, private CScoreSaveListener {
 public:
  // Loads the score file; a missing or unreadable one leaves blank tables.
  explicit CHighScoreDlg(CWnd* parent = nullptr);

  void SetBoard(int boardSize, int tileKinds) override;
  void SetBoardNumber(unsigned number) override { m_nBoardNumber = number; }
  // Asks for a name when `score` beats the selected table's tenth entry,
  // enters it and saves the file; the dialog then shows `score` (-1: none).
  void SubmitScore(int score) override;
  int DoModal() override;
  // Merges a score file chosen by the player and saves the result; every
  // outcome is reported in a message box, and a name field without a
  // terminator also gets "No Nul", as a hint at what is wrong.
  void MergeFrom(std::string path) override;

  CScoreStore& Scores() { return m_scores; }
  const CScoreStore& Scores() const { return m_scores; }

  // UTF-8: the last name entered, as the table stores it.
  const std::string& GetLastName() const { return m_strLastName; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;
  void OnContinue();

 private:
  // The table of m_nBoardSize and m_nTileKinds, or -1 when they name none.
  int SelectedTable() const;
  // Tells the player, once a run for each reason; the scores stay in the
  // store, and the next save that works writes them.
  void OnScoreSaveFailed(const std::string& path, int error) override;

  CScoreStore m_scores;
  std::set<int> m_reportedSaveErrors;

  int m_nBoardSize = kStartBoardSize;
  int m_nTileKinds = kStartTileKinds;
  int m_nCurrentScore = -1;
  unsigned m_nBoardNumber = 0;
  int m_nNewEntry = -1;  // the row of the entry just made in the table shown, or -1
  std::string m_strLastName;

  CStatic m_stTitle;
  CStatic m_stNames[kEntriesPerTable];
  CStatic m_stScores[kEntriesPerTable];
  CStatic m_stYourScore;
  CStatic m_stBoardNumber;
};
