// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "bmp_reader.h"
#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {

using res::FindResource;
using res::ResourceType;
using restest::ReadLe16;
using restest::ReadLe32;

TEST(ToolbarBitmap, IsA48By15FourBitStripOnLightGrey) {
  const auto file = FindResource(ResourceType::Bitmap, IDB_TOOLBAR);
  ASSERT_EQ(file.size(), 118u + 24u * 15u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(ReadLe32(file, 18), 48u);
  EXPECT_EQ(ReadLe32(file, 22), 15u);
  EXPECT_EQ(ReadLe16(file, 28), 4u);
  const auto strip = restest::OpenBmp(file);
  // Each picture's bottom-left corner shows the background.
  for (int picture = 0; picture < 3; ++picture) {
    const int background = strip.index(16 * picture, 14);
    EXPECT_EQ(strip.colour(background), (std::array<int, 3>{192, 192, 192})) << picture;
  }
  // The question mark is yellow in the middle of its top arc.
  EXPECT_EQ(strip.colour(strip.index(32 + 7, 1)), (std::array<int, 3>{255, 255, 0}));
  // The new page is white.
  EXPECT_EQ(strip.colour(strip.index(8, 8)), (std::array<int, 3>{255, 255, 255}));
}

TEST(MainIcon, IsOne32By32SixteenColourImage) {
  const auto file = FindResource(ResourceType::Icon, IDR_MAINFRAME);
  const std::vector<std::uint8_t> expected = {
      0x00, 0x00, 0x01, 0x00, 0x01, 0x00,              // icon directory, one image
      0x20, 0x20, 0x10, 0x00, 0x01, 0x00, 0x04, 0x00,  // 32 x 32, 16 colours, 1 plane, 4 bpp
      0xE8, 0x02, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00,  // 744 bytes at offset 22
  };
  ASSERT_EQ(file.size(), 22u + 744u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 22), expected);
  EXPECT_EQ(ReadLe32(file, 22), 40u);
  EXPECT_EQ(ReadLe32(file, 26), 32u);
  EXPECT_EQ(ReadLe32(file, 30), 64u);  // colour bitmap plus mask
  EXPECT_EQ(ReadLe16(file, 36), 4u);

  // Colour bitmap rows after header and palette; only its 32 rows count.
  const restest::Dib4 image(file, 22, 22 + 40 + 64, 32);
  const auto faceAt = [&image](int x, int y) { return image.colour(image.index(x, y)); };
  EXPECT_EQ(faceAt(8, 8), (std::array<int, 3>{255, 255, 0}));  // yellow, top left
  EXPECT_EQ(faceAt(24, 8), (std::array<int, 3>{0, 0, 128}));   // dark blue, top right
  EXPECT_EQ(faceAt(8, 24), (std::array<int, 3>{255, 0, 0}));   // red below
  EXPECT_EQ(faceAt(24, 24), (std::array<int, 3>{255, 0, 0}));
}

TEST(BinaryResources, UnknownOnesAreEmpty) {
  EXPECT_TRUE(FindResource(ResourceType::Bitmap, 146).empty());
  EXPECT_TRUE(FindResource(ResourceType::Wave, 145).empty());
  EXPECT_TRUE(FindResource(ResourceType::Icon, 145).empty());
}

}  // namespace
