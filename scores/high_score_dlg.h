#pragma once
// The high scores as the game sees them: the twelve tables with their score
// file, the name prompt for a new entry, the dialog that shows one table, and
// the merge of another player's score file. The document keeps one for the
// whole run.
#include <cstdint>
#include <span>
#include <string>

#include "game/high_score_keeper.h"
#include "platform/dialog.h"
#include "scores/high_score_tables.h"

class CHighScoreDlg : public CDialog, public CHighScoreTables, public CHighScoreKeeper {
 public:
  // Loads the score file; a missing or unreadable one leaves blank tables.
  explicit CHighScoreDlg(CWnd* parent = nullptr);

  void SetBoard(int boardSize, int tileKinds) override;
  // Asks for a name when `score` beats the selected table's tenth entry,
  // enters it and saves the file; the dialog then shows `score` (-1: none).
  void SubmitScore(int score) override;
  int DoModal() override;
  // Merges a score file chosen by the player and saves the result; every
  // outcome is reported in a message box.
  void MergeFrom(std::string path) override;
  // Checks the file read by MergeFrom; says "No Nul" for a name field without
  // a terminator, as a hint at what is wrong.
  bool IsValidScoreFile(std::span<const unsigned char> contents, std::int64_t fileSize);

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

  int m_nBoardSize = kStartBoardSize;
  int m_nTileKinds = kStartTileKinds;
  int m_nCurrentScore = -1;
  std::string m_strLastName;

  CStatic m_stTitle;
  CStatic m_stNames[kEntriesPerTable];
  CStatic m_stScores[kEntriesPerTable];
  CStatic m_stYourScore;
};
