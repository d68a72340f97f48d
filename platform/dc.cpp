// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dc.h"

bool CBitmap::LoadBitmap(int resourceId) {
  m_nResourceId = resourceId;
  return resourceId > 0;
}

bool CBitmap::DeleteObject() {
  m_nResourceId = 0;
  return true;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  CBitmap* previous = m_pSelected;
  m_pSelected = bitmap;
  return previous;
}

bool CDC::DeleteDC() {
  m_pSelected = nullptr;
  return true;
}

bool CDC::BitBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, unsigned) {
  // Every copy the game makes is SRCCOPY, so the raster operation is not kept.
  if (!m_pSurface || !source || !source->m_pSelected) return false;
  m_pSurface->Blit(x, y, width, height, source->m_pSelected->GetResourceId(), srcX, srcY);
  return true;
}

bool CDC::TransparentBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY,
                         int srcWidth, int srcHeight, COLORREF transparent) {
  // The game never stretches a picture, and a painter that did would blur it.
  if (!m_pSurface || !source || !source->m_pSelected || srcWidth != width || srcHeight != height)
    return false;
  m_pSurface->BlitKeyed(x, y, width, height, source->m_pSelected->GetResourceId(), srcX, srcY,
                        transparent);
  return true;
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
  if (m_pSurface) m_pSurface->Fill(x, y, width, height, colour);
}

void CDC::DrawFocusRect(const CRect& rect) {
  if (m_pSurface) m_pSurface->FocusFrame(rect.left, rect.top, rect.Width(), rect.Height());
}
