// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one view of the main window: draws the document's board centred in the
// client area, turns pointer, clicks and keys into moves, and carries the
// commands that act on the running game (Undo, Options, the high-score
// tables). It also tells assistive technology what the board shows.
#include <memory>
#include <optional>
#include <string>

#include "game/hint_search.h"
#include "game/karoblen_doc.h"
#include "platform/accessible_board.h"
#include "platform/framework.h"
#include "platform/wnd.h"

// A cell of the board as HitTest finds it; both values are -1 off the board.
struct BoardCell {
  int nColumn = -1;
  int nRow = -1;
  bool IsOnBoard() const { return nColumn >= 0; }
  friend bool operator==(const BoardCell&, const BoardCell&) = default;
};

class CKaroblenView : public CFormView, public CAccessibleBoard {
 public:
  static constexpr int kTileSize = 40;
  // The focus frame sits this far inside the cell, over the tile's bevel.
  static constexpr int kFocusInset = 2;

  CKaroblenView();
  ~CKaroblenView() override;

  CKaroblenDoc* GetDocument() const;

  // Drawing and layout.
  void OnDraw(CDC* pDC) override;
  // A new game: whatever hint was being looked for is for the old board.
  void OnInitialUpdate() override;
  // `pSymbolDC` holds the tile symbols, or is nullptr while they are off.
  void DrawTile(CKaroblenDoc* pDoc, CDC* pDC, CDC* pTileDC, CDC* pSymbolDC, int nColumn, int nRow,
                int nKind, bool bSelected);
  void OnSize(unsigned nType, int cx, int cy) override;
  void ShiftBoardOrigin(int nOldWidth, int nOldHeight, int nNewWidth, int nNewHeight);
  BoardCell HitTest(int x, int y) const;
  void UpdateScoreTexts();
  void UpdateSelectScoreText();
  int GetOriginX() const { return m_nOriginX; }
  int GetOriginY() const { return m_nOriginY; }

  // Play.
  void OnMouseMove(unsigned nFlags, CPoint point) override;
  // The pointer's highlight goes with the pointer; the cursor's stays.
  void OnMouseLeave() override;
  void OnLButtonDown(unsigned nFlags, CPoint point) override;
  // Arrows move the keyboard cursor; Space and Return play its cell as a
  // click there would.
  void OnKeyDown(unsigned nChar, unsigned nRepCnt, unsigned nFlags) override;
  bool IsCursorShown() const { return m_bCursorShown; }
  // The cursor's cell, kept inside the board as the board changes; the
  // bottom-left cell until the cursor is first moved.
  BoardCell GetCursor() const;

  // Commands.
  bool OnCmdMsg(int nID) override;
  bool OnUpdateCmdUI(CCmdUI& cmdUI) override;
  void OnGameUndo();
  void OnUpdateGameUndo(CCmdUI* pCmdUI);
  void OnGameOptions();
  // Both ask first, as New Game does; Restart Board deals the board in play
  // again from its start, Play Board Number deals the board the player names.
  void OnGameRestart();
  void OnGameBoardNumber();
  // Deals board `nNumber` at the current size and kinds, without asking.
  void PlayBoard(unsigned nNumber);
  void OnViewHighScores();
  void OnMergeHighScores();
  // A mark of its own on each kind of tile, so that shape tells what colour
  // alone may not; off until turned on, for as long as the program runs.
  void OnGameTileSymbols();
  bool HasTileSymbols() const { return m_bTileSymbols; }
  // Looks for the best move away from the user-interface thread; the answer
  // highlights its group, puts the cursor on it and says whether the board
  // can be cleared. Nothing else changes.
  void OnGameHint();
  bool IsLookingForHint() const { return m_pHintRequest != nullptr; }

  void DoDataExchange(CDataExchange* pDX) override;

  // CAccessibleBoard
  std::string GetBoardName() const override;
  int GetBoardColumns() const override;
  int GetBoardRows() const override;
  CRect GetCellRect(int column, int row) const override;
  std::string GetCellName(int column, int row) const override;
  std::string GetCellDescription(int column, int row) const override;
  bool IsCellHighlighted(int column, int row) const override;
  CPoint GetCursorCell() const override;

 private:
  // The hover highlight for a pointer or cursor over `cell`; true when it
  // repainted.
  bool HighlightGroupAt(BoardCell cell);
  // Shows the cursor, or moves it when it is already shown.
  void MoveCursor(int nColumns, int nRows);
  void PlayCell(BoardCell cell);
  void RunGameOverIfNoMoves();
  // Stops a search still running, and takes a hint's words off the status
  // bar: after a move or an undo they no longer hold.
  void CancelHint();
  void ShowHint(const Hint& hint);

  CStatic m_SelectScoreText;
  CStatic m_TilesLeftText;
  CStatic m_ScoreText;
  // Only OnSize and ShiftBoardOrigin give these meaning; zero until then.
  int m_nOriginX = 0;
  int m_nOriginY = 0;

  BoardCell m_cursor;  // off the board until the cursor is first shown
  bool m_bCursorShown = false;
  bool m_bTileSymbols = false;
  std::optional<CPoint> m_ptLastMouse;
  // Set while a move and the game-over flow that may follow it run.
  bool m_bPlaying = false;
  struct HintRequest;
  std::shared_ptr<HintRequest> m_pHintRequest;  // while a search runs
  bool m_bHintOnStatusBar = false;
};
