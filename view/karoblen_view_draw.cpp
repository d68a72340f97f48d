// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the board and laying out the view.
#include <string>

#include "game/rules.h"
#include "res/colours.h"
#include "res/game_texts.h"
#include "res/resource_ids.h"
#include "view/karoblen_view.h"

namespace {
constexpr COLORREF kEmptyCellColour = RGB(res::kLightGrey.r, res::kLightGrey.g, res::kLightGrey.b);
// The tile symbols' see-through colour.
constexpr COLORREF kSymbolKey =
    RGB(res::kTileSymbolKey.r, res::kTileSymbolKey.g, res::kTileSymbolKey.b);
constexpr int kTextWidth = 100;
constexpr int kTextHeight = 15;
// Leaves room above the texts along the bottom edge.
constexpr int kBoardLift = 6;
}  // namespace

void CKaroblenView::OnDraw(CDC* pDC) {
  CKaroblenDoc* pDoc = GetDocument();

  CBitmap tiles;
  tiles.LoadBitmap(TilesetBitmap);
  CDC tileDC;
  tileDC.CreateCompatibleDC(nullptr);
  tileDC.SelectObject(&tiles);
  CBitmap symbols;
  CDC symbolDC;
  if (m_bTileSymbols) {
    symbols.LoadBitmap(IDB_TILESYMBOLS);
    symbolDC.CreateCompatibleDC(nullptr);
    symbolDC.SelectObject(&symbols);
  }

  // Every cell, tile or not, so that repaints need not erase the background.
  for (int c = 0; c < pDoc->GetWidth(); ++c) {
    for (int r = 0; r < pDoc->GetHeight(); ++r) {
      DrawTile(pDoc, pDC, &tileDC, m_bTileSymbols ? &symbolDC : nullptr, c, r, pDoc->GetTile(c, r),
               pDoc->IsSelected(c, r));
    }
  }

  // Deleting the context first releases the bitmap selected into it.
  tileDC.DeleteDC();
  tiles.DeleteObject();
  symbolDC.DeleteDC();
  symbols.DeleteObject();

  // Over the tile picture, so that the pictures themselves stay as they are.
  if (m_bCursorShown) {
    const BoardCell cursor = GetCursor();
    CRect frame = GetCellRect(cursor.nColumn, cursor.nRow);
    frame.left += kFocusInset;
    frame.top += kFocusInset;
    frame.right -= kFocusInset;
    frame.bottom -= kFocusInset;
    pDC->DrawFocusRect(frame);
  }

  UpdateScoreTexts();
}

void CKaroblenView::DrawTile(CKaroblenDoc* pDoc, CDC* pDC, CDC* pTileDC, CDC* pSymbolDC,
                             int nColumn, int nRow, int nKind, bool bSelected) {
  const int x = m_nOriginX + kTileSize * nColumn;
  const int y = m_nOriginY + kTileSize * nRow;
  if (nKind < 0) {
    pDC->FillSolidRect(x, y, kTileSize, kTileSize, kEmptyCellColour);
    return;
  }
  // The tileset holds 16 join shapes across and, per kind, a plain row
  // followed by a pressed-in row for the highlight.
  const int srcX = pDoc->GetJoinMask(nColumn, nRow) * kTileSize;
  const int srcY = nKind * 2 * kTileSize + (bSelected ? kTileSize : 0);
  pDC->BitBlt(x, y, kTileSize, kTileSize, pTileDC, srcX, srcY, SRCCOPY);
  // One mark per kind, the same on every join shape and on the highlight.
  if (pSymbolDC)
    pDC->TransparentBlt(x, y, kTileSize, kTileSize, pSymbolDC, nKind * kTileSize, 0, kTileSize,
                        kTileSize, kSymbolKey);
}

void CKaroblenView::OnSize(unsigned nType, int cx, int cy) {
  CFormView::OnSize(nType, cx, cy);
  CKaroblenDoc* pDoc = GetDocument();
  m_nOriginX = (cx - kTileSize * pDoc->GetWidth()) / 2;
  m_nOriginY = (cy - kTileSize * pDoc->GetHeight()) / 2 - kBoardLift;

  // Centred under the quarter points of the view.
  const int top = cy - kTextHeight;
  m_ScoreText.MoveWindow(cx / 4 - kTextWidth / 2, top, kTextWidth, kTextHeight, true);
  m_TilesLeftText.MoveWindow((2 * cx) / 4 - kTextWidth / 2, top, kTextWidth, kTextHeight, true);
  m_SelectScoreText.MoveWindow((3 * cx) / 4 - kTextWidth / 2, top, kTextWidth, kTextHeight, true);
}

void CKaroblenView::ShiftBoardOrigin(int nOldWidth, int nOldHeight, int nNewWidth, int nNewHeight) {
  // The window keeps its size when the board changes, so the board is
  // re-centred by moving it rather than by a fresh layout.
  m_nOriginX += (nOldWidth - nNewWidth) * kTileSize / 2;
  m_nOriginY += (nOldHeight - nNewHeight) * kTileSize / 2;
}

BoardCell CKaroblenView::HitTest(int x, int y) const {
  const int dx = x - m_nOriginX;
  const int dy = y - m_nOriginY;
  // Checked before dividing: truncation would fold -39..-1 onto cell 0.
  if (dx < 0 || dy < 0) return {};
  const int column = dx / kTileSize;
  const int row = dy / kTileSize;
  const CKaroblenDoc* pDoc = GetDocument();
  if (column >= pDoc->GetWidth() || row >= pDoc->GetHeight()) return {};
  return {column, row};
}

void CKaroblenView::UpdateScoreTexts() {
  const CKaroblenDoc* pDoc = GetDocument();
  m_ScoreText.SetWindowText(res::FormatText(res::TextId::ScoreLine, pDoc->GetScore()));
  m_TilesLeftText.SetWindowText(res::FormatText(res::TextId::TilesLeftLine, pDoc->GetTilesLeft()));
}

void CKaroblenView::UpdateSelectScoreText() {
  const int selected = GetDocument()->CountSelected();
  const int points = selected > 0 ? GroupScore(selected) : 0;
  m_SelectScoreText.SetWindowText(res::FormatText(res::TextId::SelectScoreLine, points));
}
