// SPDX-License-Identifier: GPL-3.0-or-later
// Where the board and the three texts sit, which cell a point hits, and how
// the board moves when its size changes under an unchanged window.
#include <gtest/gtest.h>

#include <utility>

#include "view_test_support.h"

namespace {

struct Box {
  int x, y, width, height;
  friend bool operator==(const Box&, const Box&) = default;
};

Box BoxOf(const CMemoryControlSite& form, int id) {
  const auto* c = form.Find(id);
  return {c->x, c->y, c->width, c->height};
}

TEST(ViewLayout, MediumBoardInTheOpeningWindow) {
  ViewHarness v;
  v.view.OnSize(0, 632, 353);
  EXPECT_EQ(v.view.GetOriginX(), 116);
  EXPECT_EQ(v.view.GetOriginY(), 30);
  EXPECT_EQ(BoxOf(v.form, IDC_SCORE), (Box{108, 338, 100, 15}));
  EXPECT_EQ(BoxOf(v.form, IDC_TILESLEFT), (Box{266, 338, 100, 15}));
  EXPECT_EQ(BoxOf(v.form, IDC_SELECTSCORE), (Box{424, 338, 100, 15}));
}

TEST(ViewLayout, BoardWiderThanTheWindowIsClippedEvenlyWithTruncatingDivision) {
  ViewHarness v;
  v.doc.SetBoardSize(kLarge);  // 640 x 320
  v.view.OnSize(0, 601, 301);
  EXPECT_EQ(v.view.GetOriginX(), -19);  // -39 / 2 truncates toward zero
  EXPECT_EQ(v.view.GetOriginY(), -15);  // -19 / 2 - 6
  // The visible part still hits its cells.
  EXPECT_EQ(v.view.HitTest(0, 0), (BoardCell{0, 0}));
  EXPECT_EQ(v.view.HitTest(21, 25), (BoardCell{1, 1}));
  EXPECT_EQ(v.view.HitTest(600, 300), (BoardCell{15, 7}));
}

TEST(ViewLayout, TextsFollowTheQuarterPointsOfAnOddWidth) {
  ViewHarness v;
  v.view.OnSize(0, 803, 500);
  EXPECT_EQ(BoxOf(v.form, IDC_SCORE), (Box{150, 485, 100, 15}));
  EXPECT_EQ(BoxOf(v.form, IDC_TILESLEFT), (Box{351, 485, 100, 15}));
  EXPECT_EQ(BoxOf(v.form, IDC_SELECTSCORE), (Box{552, 485, 100, 15}));
}

TEST(ViewHitTest, EdgesOfTheMediumBoard) {
  ViewHarness v;  // origin (116, 30), 400 x 280
  const BoardCell off{};
  EXPECT_EQ(v.view.HitTest(116, 30), (BoardCell{0, 0}));
  EXPECT_EQ(v.view.HitTest(155, 69), (BoardCell{0, 0}));
  EXPECT_EQ(v.view.HitTest(156, 30), (BoardCell{1, 0}));
  EXPECT_EQ(v.view.HitTest(116, 70), (BoardCell{0, 1}));
  EXPECT_EQ(v.view.HitTest(515, 309), (BoardCell{9, 6}));
  EXPECT_EQ(v.view.HitTest(115, 30), off);
  EXPECT_EQ(v.view.HitTest(116, 29), off);
  EXPECT_EQ(v.view.HitTest(80, 50), off);  // within one cell's width to the left
  EXPECT_EQ(v.view.HitTest(516, 100), off);
  EXPECT_EQ(v.view.HitTest(200, 310), off);
  EXPECT_FALSE(off.IsOnBoard());
}

TEST(ViewOrigin, ShiftKeepsTheBoardCentredWhenTheSizeChanges) {
  ViewHarness v;  // Medium at (116, 30)
  v.view.ShiftBoardOrigin(10, 7, 16, 8);
  EXPECT_EQ(v.view.GetOriginX(), -4);
  EXPECT_EQ(v.view.GetOriginY(), 10);
  v.view.ShiftBoardOrigin(16, 8, 6, 5);
  EXPECT_EQ(v.view.GetOriginX(), 196);
  EXPECT_EQ(v.view.GetOriginY(), 70);
}

TEST(ViewTexts, SelectScoreIsWhatRemovingTheHighlightWouldEarn) {
  ViewHarness v;
  // Groups of 10, 3 and 2 tiles.
  v.Lay(kSmall, 3, {"......", ".....1", "....21", "000021", "000000"});
  const std::pair<CPoint, const char*> cases[] = {
      {{0, 0}, "Select Score: 0"},  // nothing highlighted
      {v.CellPoint(0, 4), "Select Score: 64"},
      {v.CellPoint(4, 3), "Select Score: 0"},
      {v.CellPoint(5, 2), "Select Score: 1"},
  };
  for (const auto& [point, text] : cases) {
    v.view.OnMouseMove(0, point);
    EXPECT_EQ(v.Text(IDC_SELECTSCORE), text);
  }
}

TEST(ViewTexts, TemplateWordingStandsUntilTheFirstMouseMessage) {
  ViewHarness v;
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Selected Score: 0");
  v.view.OnMouseMove(0, {0, 0});
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
}

}  // namespace
