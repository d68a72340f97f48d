// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/high_score_dlg.h"

#include <string_view>

#include "platform/host.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "scores/latin1_text.h"
#include "scores/name_entry_dlg.h"

namespace {

std::string_view BoardSizeWord(int boardSize) {
  switch (boardSize) {
    case 0:
      return res::Text(res::TextId::BoardSmall);
    case 1:
      return res::Text(res::TextId::BoardMedium);
    case 2:
      return res::Text(res::TextId::BoardLarge);
    default:
      return {};
  }
}

std::string TileKindsSuffix(int tileKinds) {
  return IsTileKinds(tileKinds) ? res::FormatText(res::TextId::TileKindsSuffix, tileKinds)
                                : std::string();
}

// A save waiting on a lock or a slow disk lets the window paint in slices
// this long.
constexpr int kSavePaintSliceMilliseconds = 10;

}  // namespace

CHighScoreDlg::CHighScoreDlg(CWnd* parent) : CDialog(IDD_HIGHSCORES, parent) {
  m_scores.SetSaveListener(this);
  m_scores.SetResponsiveWait([] { Host().KeepResponsive(kSavePaintSliceMilliseconds); });
  m_scores.LoadScores();
}

void CHighScoreDlg::SetBoard(int boardSize, int tileKinds) {
  m_nBoardSize = boardSize;
  m_nTileKinds = tileKinds;
}

int CHighScoreDlg::SelectedTable() const {
  const bool valid = IsBoardSize(m_nBoardSize) && IsTileKinds(m_nTileKinds);
  return valid ? ScoreTableIndex(m_nBoardSize, m_nTileKinds) : -1;
}

void CHighScoreDlg::SubmitScore(int score) {
  m_nCurrentScore = score;
  m_nNewEntry = -1;
  const int table = SelectedTable();
  if (table < 0) return;
  if (score <= m_scores.Entry(table, kEntriesPerTable - 1).score) return;

  CNameEntryDlg prompt;
  prompt.SetName(m_strLastName);
  prompt.DoModal();  // Escape keeps the offered name, which counts as given
  const std::string name = prompt.GetName();

  HighScoreEntry stored{};
  CopyName(stored.name, Utf8ToLatin1(name));
  const int at = m_scores.InsertEntry(table, NameOf(stored), score, false, true);
  if (at >= 0 && at < kEntriesPerTable) m_nNewEntry = at;
  // The next prompt offers the name as the table keeps it, not as typed.
  m_strLastName = Latin1ToUtf8(NameOf(stored));
}

int CHighScoreDlg::DoModal() { return CDialog::DoModal(); }

void CHighScoreDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_HIGHSCORE_TITLE, m_stTitle);
  for (int k = 0; k < kEntriesPerTable; ++k) {
    DDX_Control(pDX, IDC_HIGHSCORE_NAME(k + 1), m_stNames[k]);
    DDX_Control(pDX, IDC_HIGHSCORE_SCORE(k + 1), m_stScores[k]);
  }
  DDX_Control(pDX, IDC_HIGHSCORE_YOURSCORE, m_stYourScore);
  DDX_Control(pDX, IDC_HIGHSCORE_BOARD, m_stBoardNumber);
}

bool CHighScoreDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  m_stTitle.SetWindowText(res::FormatText(
      res::TextId::HighScoresTitle, {BoardSizeWord(m_nBoardSize), TileKindsSuffix(m_nTileKinds)}));

  // Under the title, so that a picture of the table shows which board the
  // score was made on.
  m_stBoardNumber.SetWindowText(
      res::FormatString(IDS_HIGHSCORE_BOARD, {std::to_string(m_nBoardNumber)}));

  m_stYourScore.SetWindowText(m_nCurrentScore >= 0
                                  ? res::FormatText(res::TextId::YourScoreLine, m_nCurrentScore)
                                  : std::string());

  // Every showing rewrites all rows, so nothing lingers from another table.
  const int table = SelectedTable();
  for (int k = 0; k < kEntriesPerTable; ++k) {
    if (table < 0) {
      m_stNames[k].SetWindowText({});
      m_stScores[k].SetWindowText({});
      continue;
    }
    const HighScoreEntry& entry = m_scores.Entry(table, k);
    m_stNames[k].SetWindowText(Latin1ToUtf8(NameOf(entry)));
    m_stScores[k].SetWindowText(std::to_string(entry.score));
  }
  // The keyboard that enters the table starts on the player's new entry.
  if (m_nNewEntry >= 0) m_stNames[m_nNewEntry].MakeRowCurrent();
  return true;  // the continue button takes the focus
}

void CHighScoreDlg::OnCommand(int id, int notifyCode) {
  if (id == IDC_HIGHSCORE_CONTINUE && notifyCode == BN_CLICKED) OnContinue();
}

void CHighScoreDlg::OnContinue() { SendClose(); }
