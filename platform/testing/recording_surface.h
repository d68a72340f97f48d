// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paint surface that records what was drawn, in order.
#include <string>
#include <vector>

#include "platform/dc.h"

class CRecordingSurface : public CPaintSurface {
 public:
  struct Call {
    enum Kind { Blit, Fill, Focus, Keyed } kind = Blit;
    int x = 0, y = 0, width = 0, height = 0;
    int bitmapId = 0, srcX = 0, srcY = 0;  // Blit and Keyed
    COLORREF colour = 0;                   // Fill; Keyed's key
  };

  void Blit(int x, int y, int width, int height, int bitmapId, int srcX, int srcY) override;
  void BlitKeyed(int x, int y, int width, int height, int bitmapId, int srcX, int srcY,
                 COLORREF key) override;
  void Fill(int x, int y, int width, int height, COLORREF colour) override;
  void FocusFrame(int x, int y, int width, int height) override;

  // "blit 10,20 40x40 bitmap 145 from 80,0", "fill 10,20 40x40 rgb(255,0,0)",
  // "focus 12,22 36x36" and "keyed 10,20 40x40 bitmap 149 from 0,0 rgb(255,0,255)".
  std::vector<std::string> Describe() const;
  void Clear() { calls.clear(); }

  std::vector<Call> calls;
};
