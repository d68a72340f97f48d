#pragma once
// The one view of the main window: draws the document's board centred in the
// client area, turns pointer and clicks into moves, and carries the commands
// that act on the running game (Undo, Options, the high-score tables).
#include "game/karoblen_doc.h"
#include "platform/framework.h"
#include "platform/wnd.h"

// A cell of the board as HitTest finds it; both values are -1 off the board.
struct BoardCell {
  int nColumn = -1;
  int nRow = -1;
  bool IsOnBoard() const { return nColumn >= 0; }
  friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

class CKaroblenView : public CFormView {
 public:
  static constexpr int kTileSize = 40;

  CKaroblenView();
  ~CKaroblenView() override;

  CKaroblenDoc* GetDocument() const;

  // Drawing and layout.
  void OnDraw(CDC* pDC) override;
  void DrawTile(CKaroblenDoc* pDoc, CDC* pDC, CDC* pTileDC, int nColumn, int nRow, int nKind,
                bool bSelected);
  void OnSize(unsigned nType, int cx, int cy) override;
  void ShiftBoardOrigin(int nOldWidth, int nOldHeight, int nNewWidth, int nNewHeight);
  BoardCell HitTest(int x, int y) const;
  void UpdateScoreTexts();
  void UpdateSelectScoreText();
  int GetOriginX() const { return m_nOriginX; }
  int GetOriginY() const { return m_nOriginY; }

  // Play.
  void OnMouseMove(unsigned nFlags, CPoint point) override;
  void OnLButtonDown(unsigned nFlags, CPoint point) override;

  // Commands.
  bool OnCmdMsg(int nID) override;
  bool OnUpdateCmdUI(CCmdUI& cmdUI) override;
  void OnGameUndo();
  void OnUpdateGameUndo(CCmdUI* pCmdUI);
  void OnGameOptions();
  void OnViewHighScores();
  void OnMergeHighScores();

  void DoDataExchange(CDataExchange* pDX) override;

 private:
  void RunGameOverIfNoMoves();

  CStatic m_SelectScoreText;
  CStatic m_TilesLeftText;
  CStatic m_ScoreText;
  // Only OnSize and ShiftBoardOrigin give these meaning; zero until then.
  int m_nOriginX = 0;
  int m_nOriginY = 0;
};
