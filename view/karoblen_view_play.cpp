// The pointer and the left button: hover highlight, moves, end of game.
#include "platform/host.h"
#include "res/resource_ids.h"
#include "view/game_over_dlg.h"
#include "view/karoblen_view.h"

namespace {
// Long enough for each settling step to be seen and heard.
constexpr int kSettlePauseMs = 100;
}  // namespace

void CKaroblenView::OnMouseMove(unsigned nFlags, CPoint point) {
  CKaroblenDoc* pDoc = GetDocument();
  const BoardCell cell = HitTest(point.x, point.y);
  const bool bHadSelection = pDoc->HasSelection();

  // Repaint only when a highlight appears, changes or vanishes.
  if (cell.IsOnBoard()) {
    if (pDoc->IsSelected(cell.nColumn, cell.nRow)) {
      // Still over the highlighted group.
    } else if (pDoc->GetTile(cell.nColumn, cell.nRow) != -1) {
      pDoc->ClearSelection();
      const int selected = pDoc->SelectGroupAt(cell.nColumn, cell.nRow);
      if (selected > 0 || bHadSelection) RepaintNow();
    } else if (bHadSelection) {
      pDoc->ClearSelection();
      RepaintNow();
    }
  } else if (bHadSelection) {
    pDoc->ClearSelection();
    RepaintNow();
  }
  UpdateSelectScoreText();

  CFormView::OnMouseMove(nFlags, point);
}

void CKaroblenView::OnLButtonDown(unsigned nFlags, CPoint point) {
  CKaroblenDoc* pDoc = GetDocument();
  const BoardCell cell = HitTest(point.x, point.y);

  if (cell.IsOnBoard() && pDoc->RemoveGroupAt(cell.nColumn, cell.nRow)) {
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
  }
  UpdateSelectScoreText();

  // Also after a click that removed nothing: a fresh board may have no move.
  RunGameOverIfNoMoves();

  CFormView::OnLButtonDown(nFlags, point);
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
  pDoc->RecordHighScore(finalScore);
  // Straight to a new game: the New Game command's question is not asked.
  pDoc->OnNewDocument();
  RepaintNow(true);
}
