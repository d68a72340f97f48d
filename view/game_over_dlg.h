// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The end-of-game tally: reveals the game score, the tiles left, the bonus
// and the final score row by row, then counts the tally into the final score
// with a sound at each step. It closes itself once all is counted, or at once
// on a click, Enter or Escape; the final score is fixed when it is built.
#include "platform/dialog.h"
#include "platform/wnd.h"

class CGameOverDlg : public CDialog {
 public:
  static constexpr int kTimerId = 1;
  static constexpr int kTickMs = 110;

  CGameOverDlg(int nScore, int nTilesLeft, CWnd* pParent = nullptr);

  int GetFinalScore() const { return m_nFinalScore; }
  void UpdateTallyTexts();

  void DoDataExchange(CDataExchange* pDX) override;
  bool OnInitDialog() override;
  void OnTimer(int nIDEvent) override;
  void OnLButtonDown(unsigned nFlags, CPoint point) override;
  void OnDestroy() override;

 private:
  // Shows a row: its value first, then its label.
  static void ShowRow(CStatic& value, CStatic& label);
  // Shows a row and has a screen reader read it out, with the value `shown`.
  static void ShowAndAnnounceRow(CStatic& value, CStatic& label, int newsId, int shown);
  // One step of moving points into the tally; false when nothing is left.
  bool TallyStep();

  int m_nStep = 0;
  int m_nGameScore;
  int m_nTilesRemaining;
  int m_nBonus;
  int m_nTally;
  int m_nFinalScore;

  // Ticks left until the next tally step. Shared by every tally of the run,
  // so a tally closed early leaves its rest behind: the next tally counts
  // that rest down in its first five ticks, harmlessly, and the sixth sets
  // the pause afresh before any step can wait on it.
  static int s_nPause;

  CStatic m_GameScoreValue;
  CStatic m_TilesLeftValue;
  CStatic m_BonusValue;
  CStatic m_FinalScoreValue;
  CStatic m_GameScoreLabel;
  CStatic m_TilesLeftLabel;
  CStatic m_BonusLabel;
  CStatic m_FinalScoreLabel;
};
