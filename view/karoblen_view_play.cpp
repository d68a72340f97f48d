// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer and the left button: hover highlight, moves, end of game.
#include <string>

#include "platform/host.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/game_over_dlg.h"
#include "view/karoblen_view.h"

namespace {
// Long enough for each settling step to be seen and heard.
constexpr int kSettlePauseMs = 100;
}  // namespace

void CKaroblenView::OnMouseMove(unsigned nFlags, CPoint point) {
  // The desktop re-sends the pointer's position when windows come and go;
  // only a pointer that really moved takes over from the keyboard cursor.
  const bool bMoved = m_ptLastMouse != point;
  m_ptLastMouse = point;
  if (!m_bPlaying && (bMoved || !m_bCursorShown)) {
    const bool bHadCursor = m_bCursorShown;
    m_bCursorShown = false;
    // The cursor's frame goes with the next paint; force one only if the
    // highlight did not.
    if (!HighlightGroupAt(HitTest(point.x, point.y)) && bHadCursor) RepaintNow();
    UpdateSelectScoreText();
  }
  CFormView::OnMouseMove(nFlags, point);
}

void CKaroblenView::OnMouseLeave() {
  if (m_bPlaying || m_bCursorShown) return;
  HighlightGroupAt({});
  UpdateSelectScoreText();
}

bool CKaroblenView::HighlightGroupAt(BoardCell cell) {
  CKaroblenDoc* pDoc = GetDocument();
  const bool bHadSelection = pDoc->HasSelection();

  // Repaint only when a highlight appears, changes or vanishes.
  if (cell.IsOnBoard()) {
    if (pDoc->IsSelected(cell.nColumn, cell.nRow)) return false;  // still over the group
    if (pDoc->GetTile(cell.nColumn, cell.nRow) != -1) {
      pDoc->ClearSelection();
      const int selected = pDoc->SelectGroupAt(cell.nColumn, cell.nRow);
      if (selected == 0 && !bHadSelection) return false;
      RepaintNow();
      return true;
    }
  }
  if (!bHadSelection) return false;
  pDoc->ClearSelection();
  RepaintNow();
  return true;
}

void CKaroblenView::OnLButtonDown(unsigned nFlags, CPoint point) {
  if (!m_bPlaying) PlayCell(HitTest(point.x, point.y));
  CFormView::OnLButtonDown(nFlags, point);
}

void CKaroblenView::PlayCell(BoardCell cell) {
  // The modal dialogs at the end of a game run event loops of their own;
  // whatever input reaches the view meanwhile must not start another move
  // or a second end of the same game.
  m_bPlaying = true;
  CKaroblenDoc* pDoc = GetDocument();
  if (cell.IsOnBoard() && pDoc->RemoveGroupAt(cell.nColumn, cell.nRow)) {
    CancelHint();
    PlayEffect(SND_REMOVE);
    Sleep(kSettlePauseMs);
    // One column settles per step, so the player sees the tiles fall.
    while (pDoc->DropStep()) {
      RepaintNow();
      PlayEffect(SND_DROP);
      Sleep(kSettlePauseMs);
    }
    if (pDoc->CloseEmptyColumns()) PlayEffect(SND_SHIFT);
    // Whatever landed under the pointer is highlighted straight away.
    pDoc->SelectGroupAt(cell.nColumn, cell.nRow);
    RepaintNow();
    // The score text's own words, heard wherever the focus is.
    Host().Announce(res::FormatText(res::TextId::ScoreLine, pDoc->GetScore()));
  }
  UpdateSelectScoreText();

  // Also after a click that removed nothing: a fresh board may have no move.
  RunGameOverIfNoMoves();
  m_bPlaying = false;
}

void CKaroblenView::RunGameOverIfNoMoves() {
  CKaroblenDoc* pDoc = GetDocument();
  if (!pDoc->IsGameOver()) return;

  CGameOverDlg tally(pDoc->GetScore(), pDoc->GetTilesLeft());
  tally.DoModal();
  // The dialog's result holds even when the player cut the tally short.
  const int finalScore = tally.GetFinalScore();
  pDoc->SetScore(finalScore);
  UpdateScoreTexts();
  Host().Announce(res::FormatString(IDS_NEWS_FINAL_SCORE, {std::to_string(finalScore)}));
  // The finished board stays in the document while the name is asked for
  // and the table is shown.
  pDoc->RecordHighScore(finalScore);
  // Straight to a new game: the New Game command's question is not asked.
  pDoc->OnNewDocument();
  RepaintNow(true);
  // The dialogs took the focus; it comes back to the board of the new game.
  SetFocus();
}
