// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drawing: a device context that paints onto the view, a memory device
// context holding a bitmap resource, and block copies between them.
#include "platform/afx_types.h"

// What a real painter does; the Qt layer paints pixels, tests record calls.
class CPaintSurface {
 public:
  virtual ~CPaintSurface() = default;
  // Copies a `width` x `height` region of bitmap resource `bitmapId` unchanged.
  virtual void Blit(int x, int y, int width, int height, int bitmapId, int srcX, int srcY) = 0;
  // As Blit, but the bitmap's pixels of colour `key` leave what is below.
  virtual void BlitKeyed(int x, int y, int width, int height, int bitmapId, int srcX, int srcY,
                         COLORREF key) = 0;
  virtual void Fill(int x, int y, int width, int height, COLORREF colour) = 0;
  // Marks the keyboard focus: a two-pixel ring along the inside of the
  // rectangle, black and white two-pixel squares as on a checkerboard whose
  // top-left square is black; it shows on every colour.
  virtual void FocusFrame(int x, int y, int width, int height) = 0;
};

inline constexpr unsigned SRCCOPY = 0x00CC0020;

class CBitmap {
 public:
  bool LoadBitmap(int resourceId);
  bool DeleteObject();
  int GetResourceId() const { return m_nResourceId; }

 private:
  int m_nResourceId = 0;
};

class CDC {
 public:
  CDC() = default;
  explicit CDC(CPaintSurface* surface) : m_pSurface(surface) {}

  // A memory context: holds whatever bitmap is selected into it.
  bool CreateCompatibleDC(CDC*) { return true; }
  CBitmap* SelectObject(CBitmap* bitmap);
  bool DeleteDC();

  bool BitBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, unsigned rop);
  // Copies without stretching; pixels of `transparent` colour are skipped.
  bool TransparentBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY,
                      int srcWidth, int srcHeight, COLORREF transparent);
  void FillSolidRect(int x, int y, int width, int height, COLORREF colour);
  void DrawFocusRect(const CRect& rect);

 private:
  CPaintSurface* m_pSurface = nullptr;
  CBitmap* m_pSelected = nullptr;
};
