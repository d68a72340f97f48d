// SPDX-License-Identifier: GPL-3.0-or-later
// What one paint of the board copies from the tileset, and where.
#include <gtest/gtest.h>

#include "platform/testing/recording_surface.h"
#include "view_test_support.h"

namespace {

class ViewDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    // Small board at origin (196, 70); a 3 x 3 block of kind 1 standing on
    // a 1, a lone 2 and a 0 beside it.
    v.Lay(kSmall, 3, {"......", ".111..", ".111..", ".111..", "201..."});
  }

  std::vector<std::string> Paint() {
    CRecordingSurface surface;
    CDC dc(&surface);
    v.view.OnDraw(&dc);
    return surface.Describe();
  }

  // Position of cell (column, row) in a column-major paint of 6 x 5 cells.
  static size_t PaintIndex(int column, int row) {
    return static_cast<size_t>(column) * 5 + static_cast<size_t>(row);
  }

  ViewHarness v;
};

TEST_F(ViewDraw, EveryCellColumnByColumn) {
  const auto calls = Paint();
  ASSERT_EQ(calls.size(), 30u);
  EXPECT_EQ(calls[0], "fill 196,70 40x40 rgb(192,192,192)");
  EXPECT_EQ(calls[1], "fill 196,110 40x40 rgb(192,192,192)");
  EXPECT_EQ(calls[4], "blit 196,230 40x40 bitmap 145 from 0,160");  // lone kind 2
  EXPECT_EQ(calls[5], "fill 236,70 40x40 rgb(192,192,192)");
  EXPECT_EQ(calls[29], "fill 396,230 40x40 rgb(192,192,192)");
}

TEST_F(ViewDraw, JoinMaskPicksTheColumnAndKindTheRow) {
  const auto calls = Paint();
  // Top-left of the block: joined right and below.
  EXPECT_EQ(calls[PaintIndex(1, 1)], "blit 236,110 40x40 bitmap 145 from 240,80");
  // Middle of the block: joined on all four sides.
  EXPECT_EQ(calls[PaintIndex(2, 2)], "blit 276,150 40x40 bitmap 145 from 600,80");
  // Bottom row of the block's middle column: the 1 below it joins too.
  EXPECT_EQ(calls[PaintIndex(2, 3)], "blit 276,190 40x40 bitmap 145 from 600,80");
  EXPECT_EQ(calls[PaintIndex(2, 4)], "blit 276,230 40x40 bitmap 145 from 40,80");
  // Kind 0 between a 2 and a 1 joins nothing.
  EXPECT_EQ(calls[PaintIndex(1, 4)], "blit 236,230 40x40 bitmap 145 from 0,0");
}

TEST_F(ViewDraw, HighlightedGroupUsesThePressedRow) {
  v.doc.SelectGroupAt(2, 2);
  const auto calls = Paint();
  EXPECT_EQ(calls[PaintIndex(2, 2)], "blit 276,150 40x40 bitmap 145 from 600,120");
  EXPECT_EQ(calls[PaintIndex(1, 1)], "blit 236,110 40x40 bitmap 145 from 240,120");
  EXPECT_EQ(calls[PaintIndex(0, 4)], "blit 196,230 40x40 bitmap 145 from 0,160");
}

TEST_F(ViewDraw, TileSymbolsGoOverEachTileByKindAndTheCommandTurnsThemOnAndOff) {
  const auto plain = Paint();
  ASSERT_TRUE(v.view.OnCmdMsg(ID_GAME_TILESYMBOLS));
  CCmdUI on(ID_GAME_TILESYMBOLS);
  v.view.OnUpdateCmdUI(on);
  EXPECT_EQ(on.m_nCheck, 1);
  const auto marked = Paint();
  // Each tile's picture, then its kind's mark over it; empty cells stay bare.
  ASSERT_EQ(marked.size(), plain.size() + 12);
  EXPECT_EQ(marked[4], plain[4]);
  EXPECT_EQ(marked[5], "keyed 196,230 40x40 bitmap 149 from 80,0 rgb(255,0,255)");
  EXPECT_EQ(marked[8], "keyed 236,110 40x40 bitmap 149 from 40,0 rgb(255,0,255)");
  EXPECT_EQ(marked[14], "keyed 236,230 40x40 bitmap 149 from 0,0 rgb(255,0,255)");

  v.view.OnCmdMsg(ID_GAME_TILESYMBOLS);
  CCmdUI off(ID_GAME_TILESYMBOLS);
  v.view.OnUpdateCmdUI(off);
  EXPECT_EQ(off.m_nCheck, 0);
  EXPECT_EQ(Paint(), plain);
}

TEST_F(ViewDraw, PaintRefreshesScoreAndTilesLeftButNotTheSelectScore) {
  v.doc.SetScore(37);
  v.doc.SelectGroupAt(2, 2);
  Paint();
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 37");
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 12");
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Selected Score: 0");
}

}  // namespace
