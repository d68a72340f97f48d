// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard: a cursor that the arrows move over the board, and Space or
// Return to play the cursor's cell.
#include <algorithm>

#include "view/karoblen_view.h"

void CKaroblenView::OnKeyDown(unsigned nChar, unsigned nRepCnt, unsigned nFlags) {
  if (!m_bPlaying) {
    switch (nChar) {
      case VK_LEFT:
        MoveCursor(-1, 0);
        break;
      case VK_RIGHT:
        MoveCursor(1, 0);
        break;
      case VK_UP:
        MoveCursor(0, -1);
        break;
      case VK_DOWN:
        MoveCursor(0, 1);
        break;
      case VK_SPACE:
      case VK_RETURN:
        // A held key plays once, as a held button does.
        if (nFlags & KF_REPEAT) break;
        // Never play a group the player cannot see: a hidden cursor is only
        // shown.
        if (m_bCursorShown)
          PlayCell(GetCursor());
        else
          MoveCursor(0, 0);
        break;
      default:
        break;
    }
  }
  CFormView::OnKeyDown(nChar, nRepCnt, nFlags);
}

BoardCell CKaroblenView::GetCursor() const {
  const CKaroblenDoc* pDoc = GetDocument();
  if (!m_cursor.IsOnBoard()) return {0, pDoc->GetHeight() - 1};
  // A smaller board (new options) pulls the cursor in to its edge.
  return {std::min(m_cursor.nColumn, pDoc->GetWidth() - 1),
          std::min(m_cursor.nRow, pDoc->GetHeight() - 1)};
}

void CKaroblenView::MoveCursor(int nColumns, int nRows) {
  const CKaroblenDoc* pDoc = GetDocument();
  BoardCell cursor = GetCursor();
  const BoardCell before = m_bCursorShown ? cursor : BoardCell{};
  // The first key only shows where the cursor is; it stops at the edges.
  if (m_bCursorShown) {
    cursor.nColumn = std::clamp(cursor.nColumn + nColumns, 0, pDoc->GetWidth() - 1);
    cursor.nRow = std::clamp(cursor.nRow + nRows, 0, pDoc->GetHeight() - 1);
  }
  m_cursor = cursor;
  m_bCursorShown = true;
  // The highlight follows the hover's rules; the frame needs a paint of its
  // own only when it moved and the highlight did not repaint.
  if (!HighlightGroupAt(cursor) && !(cursor == before)) RepaintNow();
  UpdateSelectScoreText();
}
