// SPDX-License-Identifier: GPL-3.0-or-later
// Commands that act on the running game: Undo, Options, the numbered boards
// and the high scores.
#include <string>

#include "app/options_dlg.h"
#include "platform/host.h"
#include "platform/win_app.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/board_number_dlg.h"
#include "view/karoblen_view.h"

namespace {
// The New Game kind of question: Yes goes ahead, anything else leaves the
// game as it is.
bool PlayerAgrees(CWnd* owner, res::TextId question) {
  return Host().MessageBox(owner, std::string(res::Text(question)), AfxAppTitle(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
}
}  // namespace

void CKaroblenView::OnGameUndo() {
  CancelHint();
  PlayEffect(SND_UNDO);
  GetDocument()->RestoreUndo();
  UpdateScoreTexts();
  // Heard like a move's score, wherever the focus is.
  Host().Announce(res::FormatText(res::TextId::ScoreLine, GetDocument()->GetScore()));
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

void CKaroblenView::OnGameRestart() {
  if (PlayerAgrees(this, res::TextId::RestartBoardQuestion))
    PlayBoard(GetDocument()->GetBoardNumber());
}

void CKaroblenView::OnGameBoardNumber() {
  CBoardNumberDlg dialog(GetDocument()->GetBoardNumber());
  if (dialog.DoModal() != IDOK) return;
  if (PlayerAgrees(this, res::TextId::NewGameQuestion)) PlayBoard(dialog.GetBoardNumber());
}

void CKaroblenView::PlayBoard(unsigned nNumber) {
  GetDocument()->DealBoard(nNumber);
  RepaintNow(true);
  UpdateSelectScoreText();
  // Asked for, so said once; the status bar's pane changes quietly with
  // every other new game.
  Host().Announce(res::FormatString(ID_INDICATOR_BOARD, {std::to_string(nNumber)}));
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
