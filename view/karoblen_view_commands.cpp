// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that act on the running game: Undo, Options and the high scores.
#include <string>

#include "app/options_dlg.h"
#include "platform/host.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "view/karoblen_view.h"

void CKaroblenView::OnGameUndo() {
  CancelHint();
  PlayEffect(SND_UNDO);
  GetDocument()->RestoreUndo();
  UpdateScoreTexts();
  // The select-score text keeps its value until the pointer next moves.
  RepaintLater();
}

void CKaroblenView::OnUpdateGameUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(GetDocument()->CanUndo()); }

void CKaroblenView::OnGameOptions() {
  CKaroblenDoc* pDoc = GetDocument();
  COptionsDlg options(pDoc->GetBoardSize(), pDoc->GetTileKinds());
  options.DoModal();
  if (options.IsCancelled()) return;
  // Compare values, not whether a list was touched: changing a list and
  // changing it back is no change.
  if (options.GetBoardSize() == pDoc->GetBoardSize() &&
      options.GetTileKinds() == pDoc->GetTileKinds()) {
    return;
  }
  const int answer = Host().MessageBox(
      this, std::string(res::Text(res::TextId::OptionsRestartQuestion)),
      std::string(res::Text(res::TextId::OptionsCaption)), MB_YESNO | MB_ICONQUESTION);
  if (answer != IDYES) return;

  const int oldBoardSize = pDoc->GetBoardSize();
  const int oldWidth = pDoc->GetWidth();
  const int oldHeight = pDoc->GetHeight();
  pDoc->SetBoardSize(options.GetBoardSize());
  pDoc->SetTileKinds(options.GetTileKinds());
  CancelHint();
  pDoc->OnNewDocument();
  // The window keeps its size; only a new board size needs re-centring.
  if (oldBoardSize != options.GetBoardSize()) {
    ShiftBoardOrigin(oldWidth, oldHeight, pDoc->GetWidth(), pDoc->GetHeight());
  }
  RepaintNow(true);
}

void CKaroblenView::OnGameTileSymbols() {
  m_bTileSymbols = !m_bTileSymbols;
  RepaintLater();
}

void CKaroblenView::OnViewHighScores() {
  // -1 enters nothing and only shows the table of the current board.
  GetDocument()->RecordHighScore(-1);
}

void CKaroblenView::OnMergeHighScores() {
  FileOpenRequest request;
  request.title = res::Text(res::TextId::MergeFileTitle);
  request.filter = res::Text(res::TextId::MergeFileFilter);
  request.defaultExt = "scr";
  request.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (const std::optional<std::string> path = Host().GetOpenFileName(request)) {
    GetDocument()->MergeScoreFile(*path);
  }
}
