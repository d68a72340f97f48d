// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's drawing calls onto a QPainter. Pictures are copied pixel for
// pixel; on a high-density screen the painter's whole-number scale enlarges
// them without smoothing, so the tiles stay crisp.
#include <QPainter>

#include "platform/dc.h"

class CQtPaintSurface : public CPaintSurface {
 public:
  explicit CQtPaintSurface(QPainter& painter);

  void Blit(int x, int y, int width, int height, int bitmapId, int srcX, int srcY) override;
  void BlitKeyed(int x, int y, int width, int height, int bitmapId, int srcX, int srcY,
                 COLORREF key) override;
  void Fill(int x, int y, int width, int height, COLORREF colour) override;
  void FocusFrame(int x, int y, int width, int height) override;

 private:
  QPainter& m_painter;
};
