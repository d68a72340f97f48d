// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/game_over_dlg.h"

#include <string>

#include "game/rules.h"
#include "platform/host.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {
constexpr int kBonusStep = 100;
static_assert(kClearedBoardBonus % kBonusStep == 0, "the bonus counts down to exactly 0");
// In ticks: before the first step, after the game score moves over, and
// after the last tile or bonus step before the dialog closes.
constexpr int kPauseBeforeTally = 10;
constexpr int kPauseAfterScore = 5;
constexpr int kPauseAfterCount = 15;
// Ticks 1 to 6 reveal the rows; tallying may start after them.
constexpr int kRevealTicks = 6;
}  // namespace

int CGameOverDlg::s_nPause = 0;

CGameOverDlg::CGameOverDlg(int nScore, int nTilesLeft, CWnd* pParent)
    : CDialog(IDD_GAMEOVER, pParent),
      m_nGameScore(nScore),
      m_nTilesRemaining(nTilesLeft),
      m_nBonus(ClearedBoardBonus(nTilesLeft)),
      m_nTally(0),
      m_nFinalScore(FinalScore(nScore, nTilesLeft)) {}

void CGameOverDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_GAMESCORE_VALUE, m_GameScoreValue);
  DDX_Control(pDX, IDC_TILESLEFT_VALUE, m_TilesLeftValue);
  DDX_Control(pDX, IDC_BONUS_VALUE, m_BonusValue);
  DDX_Control(pDX, IDC_FINALSCORE_VALUE, m_FinalScoreValue);
  DDX_Control(pDX, IDC_GAMESCORE_LABEL, m_GameScoreLabel);
  DDX_Control(pDX, IDC_TILESLEFT_LABEL, m_TilesLeftLabel);
  DDX_Control(pDX, IDC_BONUS_LABEL, m_BonusLabel);
  DDX_Control(pDX, IDC_FINALSCORE_LABEL, m_FinalScoreLabel);
}

void CGameOverDlg::UpdateTallyTexts() {
  m_GameScoreValue.SetWindowText(std::to_string(m_nGameScore));
  m_TilesLeftValue.SetWindowText(std::to_string(m_nTilesRemaining));
  m_BonusValue.SetWindowText(std::to_string(m_nBonus));
  m_FinalScoreValue.SetWindowText(std::to_string(m_nTally));
}

bool CGameOverDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetTimer(kTimerId, kTickMs);
  m_nStep = 0;
  return true;
}

void CGameOverDlg::ShowRow(CStatic& value, CStatic& label) {
  value.ShowWindow(SW_SHOW);
  label.ShowWindow(SW_SHOW);
}

void CGameOverDlg::ShowAndAnnounceRow(CStatic& value, CStatic& label, int newsId, int shown) {
  ShowRow(value, label);
  // Once, as it appears: the counting that follows would flood the speech.
  Host().Announce(res::FormatString(newsId, {std::to_string(shown)}));
}

void CGameOverDlg::OnTimer(int nIDEvent) {
  const int step = m_nStep++;
  switch (step) {
    case 0:
      UpdateTallyTexts();
      break;
    case 2:
      ShowAndAnnounceRow(m_GameScoreValue, m_GameScoreLabel, IDS_NEWS_GAME_SCORE, m_nGameScore);
      break;
    case 3:
      ShowAndAnnounceRow(m_TilesLeftValue, m_TilesLeftLabel, IDS_NEWS_TILES_LEFT,
                         m_nTilesRemaining);
      break;
    case 4:
      ShowAndAnnounceRow(m_BonusValue, m_BonusLabel, IDS_NEWS_BONUS, m_nBonus);
      break;
    case 5:
      ShowRow(m_FinalScoreValue, m_FinalScoreLabel);
      s_nPause = kPauseBeforeTally;
      break;
    default:
      break;
  }

  // Decremented before the test: a pause of p puts the next step p ticks on.
  if (--s_nPause < 0) s_nPause = 0;
  if (m_nStep > kRevealTicks && s_nPause == 0 && !TallyStep()) SendClose();

  CDialog::OnTimer(nIDEvent);
}

bool CGameOverDlg::TallyStep() {
  if (m_nGameScore > 0) {
    m_nTally = m_nGameScore;
    m_nGameScore = 0;
    s_nPause = kPauseAfterScore;
  } else if (m_nTilesRemaining > 0) {
    --m_nTilesRemaining;
    --m_nTally;
    if (m_nTilesRemaining == 0) s_nPause = kPauseAfterCount;
  } else if (m_nBonus > 0) {
    m_nBonus -= kBonusStep;
    m_nTally += kBonusStep;
    if (m_nBonus == 0) s_nPause = kPauseAfterCount;
  } else {
    return false;
  }
  UpdateTallyTexts();
  PlayEffect(SND_TALLY);
  return true;
}

void CGameOverDlg::OnLButtonDown(unsigned nFlags, CPoint point) {
  // The texts take no clicks, so a click anywhere on the dialog lands here.
  SendClose();
  CDialog::OnLButtonDown(nFlags, point);
}

void CGameOverDlg::OnDestroy() {
  CDialog::OnDestroy();
  KillTimer(kTimerId);
}
