// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/karoblen_view.h"

#include <string>

#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/board_document.h"

CKaroblenView::CKaroblenView() : CFormView(IDD_KAROBLEN_FORM) {}

// A search still running must not answer a view that is gone.
CKaroblenView::~CKaroblenView() { CancelHint(); }

void CKaroblenView::OnInitialUpdate() {
  CancelHint();
  CFormView::OnInitialUpdate();
}

CKaroblenDoc* CKaroblenView::GetDocument() const {
  // The template pairs this view with a CBoardDocument and nothing else.
  return static_cast<CBoardDocument*>(CFormView::GetDocument());
}

void CKaroblenView::DoDataExchange(CDataExchange* pDX) {
  CFormView::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SELECTSCORE, m_SelectScoreText);
  DDX_Control(pDX, IDC_TILESLEFT, m_TilesLeftText);
  DDX_Control(pDX, IDC_SCORE, m_ScoreText);
}

bool CKaroblenView::OnCmdMsg(int nID) {
  switch (nID) {
    case ID_GAME_OPTIONS:
      OnGameOptions();
      return true;
    case ID_GAME_UNDO:
      OnGameUndo();
      return true;
    case ID_FILE_HIGHSCORES:
      OnViewHighScores();
      return true;
    case ID_FILE_MERGESCORES:
      OnMergeHighScores();
      return true;
    case ID_GAME_TILESYMBOLS:
      OnGameTileSymbols();
      return true;
    case ID_GAME_RESTART:
      OnGameRestart();
      return true;
    case ID_GAME_BOARDNUMBER:
      OnGameBoardNumber();
      return true;
    case ID_GAME_HINT:
      OnGameHint();
      return true;
    default:
      return CFormView::OnCmdMsg(nID);
  }
}

bool CKaroblenView::OnUpdateCmdUI(CCmdUI& cmdUI) {
  if (cmdUI.m_nID == ID_GAME_UNDO) {
    OnUpdateGameUndo(&cmdUI);
    return true;
  }
  if (cmdUI.m_nID == ID_GAME_TILESYMBOLS) {
    cmdUI.SetCheck(m_bTileSymbols ? 1 : 0);
    return true;
  }
  if (cmdUI.m_nID == ID_INDICATOR_BOARD) {
    cmdUI.SetText(
        res::FormatString(ID_INDICATOR_BOARD, {std::to_string(GetDocument()->GetBoardNumber())}));
    return true;
  }
  return CFormView::OnUpdateCmdUI(cmdUI);
}
