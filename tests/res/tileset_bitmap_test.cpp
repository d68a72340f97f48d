// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "bmp_reader.h"
#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {

using res::FindResource;
using res::ResourceType;
using restest::Dib4;

constexpr int kGrey = 0, kBlack = 1, kWhite = 2;
// Face colour index of kinds 0-4: red, blue, yellow, green, dark grey.
constexpr int kFace[5] = {6, 3, 4, 5, 7};

class TilesetTest : public ::testing::Test {
 protected:
  std::span<const std::uint8_t> file = FindResource(ResourceType::Bitmap, TilesetBitmap);
  Dib4 sheet = restest::OpenBmp(file);

  // Pixel (x, y) of the picture for `mask`, `kind`, `selected`.
  int Pixel(int mask, int kind, bool selected, int x, int y) const {
    return sheet.index(mask * 40 + x, (2 * kind + (selected ? 1 : 0)) * 40 + y);
  }
};

TEST_F(TilesetTest, HeadersAndPaletteAreExact) {
  // clang-format off
  const std::vector<std::uint8_t> expected = {
      // File header: "BM", 128118 bytes, pixels at 118.
      0x42, 0x4D, 0x76, 0xF4, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x76, 0x00, 0x00, 0x00,
      // Info header: 40 bytes, 640 x 400 (bottom-up), 1 plane, 4 bpp, uncompressed,
      // 128000 bytes of pixels, no resolution, 16 colours used.
      0x28, 0x00, 0x00, 0x00, 0x80, 0x02, 0x00, 0x00, 0x90, 0x01, 0x00, 0x00, 0x01, 0x00,
      0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF4, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      // Palette, blue-green-red-0.
      0xA0, 0xA0, 0xA0, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00,
      0xFF, 0x2E, 0x1A, 0x00, 0x00, 0xDC, 0xFF, 0x00, 0x00, 0xA8, 0x00, 0x00,
      0x3A, 0x46, 0xFF, 0x00, 0x5A, 0x5A, 0x5A, 0x00,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
  };
  // clang-format on
  ASSERT_EQ(file.size(), 128118u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 118), expected);
}

TEST_F(TilesetTest, EveryPictureCentreShowsItsKindsFace) {
  for (int kind = 0; kind < 5; ++kind) {
    for (int mask = 0; mask < 16; ++mask) {
      for (bool selected : {false, true}) {
        EXPECT_EQ(Pixel(mask, kind, selected, 20, 20), kFace[kind])
            << "kind " << kind << " mask " << mask << " selected " << selected;
      }
    }
  }
}

TEST_F(TilesetTest, LoneTileHasOutlineBevelFaceAndSeam) {
  for (int kind = 0; kind < 5; ++kind) {
    // Along the middle row, left to right.
    const int face = kFace[kind];
    const int expected[40] = {kBlack, kBlack, kWhite, kWhite, kWhite, kWhite, face,  face,
                              face,   face,   face,   face,   face,   face,   face,  face,
                              face,   face,   face,   face,   face,   face,   face,  face,
                              face,   face,   face,   face,   face,   face,   face,  face,
                              kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kGrey, kGrey};
    for (int i = 0; i < 40; ++i) {
      EXPECT_EQ(Pixel(0, kind, false, i, 20), expected[i]) << "kind " << kind << " x " << i;
      EXPECT_EQ(Pixel(0, kind, false, 20, i), expected[i]) << "kind " << kind << " y " << i;
    }
  }
}

TEST_F(TilesetTest, SelectedTileHasItsBevelReversed) {
  EXPECT_EQ(Pixel(0, 1, true, 20, 3), kBlack);   // top
  EXPECT_EQ(Pixel(0, 1, true, 3, 20), kBlack);   // left
  EXPECT_EQ(Pixel(0, 1, true, 20, 34), kWhite);  // bottom
  EXPECT_EQ(Pixel(0, 1, true, 34, 20), kWhite);  // right
  EXPECT_EQ(Pixel(0, 1, true, 20, 1), kBlack);   // outline unchanged
  EXPECT_EQ(Pixel(0, 1, true, 39, 20), kGrey);   // seam unchanged
}

TEST_F(TilesetTest, BevelCornersAreCutDiagonallyInGrey) {
  EXPECT_EQ(Pixel(0, 0, false, 2, 2), kGrey);
  EXPECT_EQ(Pixel(0, 0, false, 5, 5), kGrey);
  EXPECT_EQ(Pixel(0, 0, false, 35, 2), kGrey);
  EXPECT_EQ(Pixel(0, 0, false, 34, 2), kWhite);  // top side of the top-right corner
  EXPECT_EQ(Pixel(0, 0, false, 35, 3), kBlack);  // right side of it
  EXPECT_EQ(Pixel(0, 0, false, 2, 35), kGrey);
  EXPECT_EQ(Pixel(0, 0, false, 2, 34), kWhite);  // left side of the bottom-left corner
  EXPECT_EQ(Pixel(0, 0, false, 3, 35), kBlack);  // bottom side of it
  EXPECT_EQ(Pixel(0, 0, false, 32, 32), kGrey);
  EXPECT_EQ(Pixel(0, 0, false, 6, 6), kFace[0]);  // face corners
  EXPECT_EQ(Pixel(0, 0, false, 31, 31), kFace[0]);
}

TEST_F(TilesetTest, JoinedSideRunsTheFaceToTheEdge) {
  // Mask 2: joined to the right. The face reaches column 39; the top and
  // bottom bands and the bottom seam run through to the edge.
  for (int y = 6; y < 32; ++y) EXPECT_EQ(Pixel(2, 3, false, 39, y), kFace[3]) << y;
  EXPECT_EQ(Pixel(2, 3, false, 39, 0), kBlack);
  EXPECT_EQ(Pixel(2, 3, false, 39, 3), kWhite);
  EXPECT_EQ(Pixel(2, 3, false, 39, 34), kBlack);
  EXPECT_EQ(Pixel(2, 3, false, 39, 39), kGrey);
  EXPECT_EQ(Pixel(2, 3, false, 0, 20), kBlack);  // the left side keeps its outline

  EXPECT_EQ(Pixel(1, 2, false, 20, 0), kFace[2]);   // above
  EXPECT_EQ(Pixel(4, 2, false, 20, 39), kFace[2]);  // below
  EXPECT_EQ(Pixel(8, 2, false, 0, 20), kFace[2]);   // left
  EXPECT_EQ(Pixel(8, 2, false, 39, 20), kGrey);     // its right seam stays
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(Pixel(15, 4, true, i, 20), kFace[4]) << i;
    EXPECT_EQ(Pixel(15, 4, true, 20, i), kFace[4]) << i;
  }
}

TEST_F(TilesetTest, CornerBetweenTwoJoinedSidesKeepsANotch) {
  // Mask 3 (above and right): the top-right corner.
  EXPECT_EQ(Pixel(3, 0, false, 39, 0), kBlack);
  EXPECT_EQ(Pixel(3, 0, false, 38, 1), kBlack);
  EXPECT_EQ(Pixel(3, 0, false, 39, 2), kWhite);  // faces the top: top bevel colour
  EXPECT_EQ(Pixel(3, 0, false, 36, 1), kBlack);  // faces the right: right bevel colour
  EXPECT_EQ(Pixel(3, 0, true, 39, 2), kBlack);
  EXPECT_EQ(Pixel(3, 0, true, 36, 1), kWhite);
  EXPECT_EQ(Pixel(3, 0, false, 37, 2), kGrey);
  EXPECT_EQ(Pixel(3, 0, false, 35, 0), kFace[0]);  // the notch stays small
  EXPECT_EQ(Pixel(3, 0, false, 39, 4), kFace[0]);
  // Its other corners are ordinary.
  EXPECT_EQ(Pixel(3, 0, false, 0, 0), kBlack);
  EXPECT_EQ(Pixel(3, 0, false, 39, 39), kGrey);
}

TEST_F(TilesetTest, UnusedPaletteEntriesAreBlackAndNeverDrawn) {
  for (int i = 8; i < 16; ++i) EXPECT_EQ(sheet.colour(i), (std::array<int, 3>{0, 0, 0}));
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 640; ++x) ASSERT_LT(sheet.index(x, y), 8) << x << "," << y;
  }
}

}  // namespace
