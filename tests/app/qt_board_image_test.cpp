// SPDX-License-Identifier: GPL-3.0-or-later
// What the view really paints, sampled from a grabbed image: the face colour
// of each kind, the seams, joins, the pressed-in bevel of a highlighted group
// and the grey of empty cells.
#include <QColor>

#include "board_snapshot.h"
#include "qt_app_fixture.h"

namespace {

// Face colours of kinds 0 to 4.
const QRgb kFaces[5] = {qRgb(255, 70, 58), qRgb(26, 46, 255), qRgb(255, 220, 0), qRgb(0, 168, 0),
                        qRgb(90, 90, 90)};
const QRgb kSeam = qRgb(160, 160, 160);
const QRgb kEmpty = qRgb(192, 192, 192);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

class QtBoardImageTest : public QtAppFixture {
 protected:
  // Pixel (dx, dy) of the picture of cell (column, row) in `image`.
  QRgb Pixel(const QImage& image, int column, int row, int dx, int dy) const {
    return image.pixel(View().GetOriginX() + 40 * column + dx,
                       View().GetOriginY() + 40 * row + dy) &
           0xFFFFFF;
  }
  static std::string Hex(QRgb rgb) { return QColor(rgb).name().toStdString(); }
};

TEST_F(QtBoardImageTest, EveryCellShowsItsKindsFaceAtTheCentre) {
  const QImage image = GrabView();
  ASSERT_EQ(image.devicePixelRatio(), 1.0);
  for (int c = 0; c < Doc().GetWidth(); ++c)
    for (int r = 0; r < Doc().GetHeight(); ++r)
      EXPECT_EQ(Hex(Pixel(image, c, r, 20, 20)), Hex(kFaces[Doc().GetTile(c, r)])) << c << "," << r;
}

TEST_F(QtBoardImageTest, JoinedSidesRunTheFaceToTheEdgeOthersKeepTheSeam) {
  const QImage image = GrabView();
  for (int c = 0; c < Doc().GetWidth(); ++c) {
    for (int r = 0; r < Doc().GetHeight(); ++r) {
      const int mask = Doc().GetJoinMask(c, r);
      const QRgb face = kFaces[Doc().GetTile(c, r)];
      // Middle of the right edge, then of the bottom edge.
      EXPECT_EQ(Hex(Pixel(image, c, r, 39, 20)), Hex((mask & 2) ? face : kSeam)) << c << "," << r;
      EXPECT_EQ(Hex(Pixel(image, c, r, 20, 39)), Hex((mask & 4) ? face : kSeam)) << c << "," << r;
      // Middle of the left outline.
      EXPECT_EQ(Hex(Pixel(image, c, r, 0, 20)), Hex((mask & 8) ? face : kBlack)) << c << "," << r;
    }
  }
}

TEST_F(QtBoardImageTest, HighlightedGroupLooksPressedIn) {
  const auto [column, row] = FindRemovableCell(Doc());
  ASSERT_GE(column, 0);
  ASSERT_GE(Doc().SelectGroupAt(column, row), 2);
  const QImage image = GrabView();
  for (int c = 0; c < Doc().GetWidth(); ++c) {
    for (int r = 0; r < Doc().GetHeight(); ++r) {
      if (Doc().GetJoinMask(c, r) & 1) continue;  // no top bevel on a join
      // The top bevel: white on a raised tile, black on a pressed one.
      const QRgb expected = Doc().IsSelected(c, r) ? kBlack : kWhite;
      EXPECT_EQ(Hex(Pixel(image, c, r, 20, 3)), Hex(expected)) << c << "," << r;
    }
  }
}

TEST_F(QtBoardImageTest, FocusFrameIsDottedOverTheCursorsTileAndLeavesItsFace) {
  View().OnKeyDown(VK_UP, 1, 0);  // the cursor shows on the bottom-left cell
  View().OnKeyDown(VK_RIGHT, 1, 0);
  const int row = Doc().GetHeight() - 1;
  const QImage image = GrabView();
  // Checkered two-pixel squares, black in the top-left corner, along each
  // side two pixels in; 18 squares a side, so the far sides start white.
  for (int k = 0; k < 18; ++k) {
    const QRgb dot = k % 2 == 0 ? kBlack : kWhite;
    const QRgb farDot = k % 2 == 0 ? kWhite : kBlack;
    const int along = 2 + 2 * k;
    EXPECT_EQ(Hex(Pixel(image, 1, row, along, 2)), Hex(dot)) << "top " << k;
    EXPECT_EQ(Hex(Pixel(image, 1, row, along + 1, 3)), Hex(dot)) << "top " << k;
    EXPECT_EQ(Hex(Pixel(image, 1, row, 2, along)), Hex(dot)) << "left " << k;
    EXPECT_EQ(Hex(Pixel(image, 1, row, along, 36)), Hex(farDot)) << "bottom " << k;
    EXPECT_EQ(Hex(Pixel(image, 1, row, 37, along)), Hex(farDot)) << "right " << k;
  }
  // The face inside is the tile's, and no other cell is framed.
  const QRgb face = kFaces[Doc().GetTile(1, row)];
  for (int d : {6, 20, 31}) EXPECT_EQ(Hex(Pixel(image, 1, row, d, d)), Hex(face));
  for (int c = 0; c < Doc().GetWidth(); ++c) {
    if (c == 1) continue;
    const bool dotted =
        Pixel(image, c, row, 2, 2) == kBlack && Pixel(image, c, row, 4, 2) == kWhite &&
        Pixel(image, c, row, 6, 2) == kBlack && Pixel(image, c, row, 8, 2) == kWhite;
    EXPECT_FALSE(dotted) << c;
  }
}

TEST_F(QtBoardImageTest, EmptyCellsArePlainGrey) {
  const auto [column, row] = FindRemovableCell(Doc());
  ASSERT_GE(column, 0);
  ASSERT_TRUE(Doc().RemoveGroupAt(column, row));
  const QImage image = GrabView();
  int emptyCells = 0;
  for (int c = 0; c < Doc().GetWidth(); ++c) {
    for (int r = 0; r < Doc().GetHeight(); ++r) {
      if (Doc().GetTile(c, r) >= 0) continue;
      ++emptyCells;
      for (int d : {0, 20, 39})
        EXPECT_EQ(Hex(Pixel(image, c, r, d, d)), Hex(kEmpty)) << c << "," << r;
    }
  }
  EXPECT_GE(emptyCells, 2);
}

}  // namespace
