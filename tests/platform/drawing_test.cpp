// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/dc.h"
#include "platform/testing/recording_surface.h"

namespace {

TEST(DeviceContext, BlitCopiesFromTheSelectedBitmap) {
  CRecordingSurface surface;
  CDC screen(&surface);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap tiles;
  ASSERT_TRUE(tiles.LoadBitmap(145));

  EXPECT_FALSE(screen.BitBlt(0, 0, 40, 40, &memory, 0, 0, SRCCOPY));  // nothing selected yet
  EXPECT_EQ(memory.SelectObject(&tiles), nullptr);
  EXPECT_TRUE(screen.BitBlt(12, -6, 40, 40, &memory, 600, 360, SRCCOPY));
  screen.FillSolidRect(52, 34, 40, 40, RGB(0, 0, 0));
  EXPECT_EQ(memory.SelectObject(nullptr), &tiles);

  EXPECT_EQ(surface.Describe(),
            (std::vector<std::string>{"blit 12,-6 40x40 bitmap 145 from 600,360",
                                      "fill 52,34 40x40 rgb(0,0,0)"}));
}

TEST(DeviceContext, ContextWithoutSurfaceDrawsNothing) {
  CDC memory;
  CBitmap tiles;
  tiles.LoadBitmap(145);
  memory.SelectObject(&tiles);
  CDC detached;
  EXPECT_FALSE(detached.BitBlt(0, 0, 40, 40, &memory, 0, 0, SRCCOPY));
  detached.FillSolidRect(0, 0, 1, 1, RGB(1, 2, 3));  // must not crash
}

}  // namespace
