// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bmp_reader.h"
#include "res/binary_resources.h"
#include "res/resource_ids.h"

namespace {

using res::FindResource;
using res::ResourceType;
using restest::ReadLe16;
using restest::ReadLe32;

TEST(WaveResources, RemoveSoundHeaderIsExact) {
  const auto file = FindResource(ResourceType::Wave, SND_REMOVE);
  const std::vector<std::uint8_t> expected = {
      'R',  'I',  'F',  'F',  0x7A, 0x02, 0x00, 0x00, 'W',  'A',  'V',  'E',
      'f',  'm',  't',  ' ',  0x10, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,  // PCM, mono
      0xAB, 0x20, 0x00, 0x00, 0xAB, 0x20, 0x00, 0x00,  // 8363 Hz, 8363 bytes/s
      0x01, 0x00, 0x08, 0x00,                          // block align 1, 8 bits
      'd',  'a',  't',  'a',  0x56, 0x02, 0x00, 0x00,  // 598 bytes
  };
  ASSERT_EQ(file.size(), 642u);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 44), expected);
}

struct WaveCase {
  int id;
  unsigned rate;
  std::uint32_t dataBytes;
  std::size_t fileBytes;
};

class WaveFormat : public ::testing::TestWithParam<WaveCase> {};

TEST_P(WaveFormat, HasItsRateSizeAndPcmLayout) {
  const WaveCase c = GetParam();
  const auto file = FindResource(ResourceType::Wave, c.id);
  ASSERT_EQ(file.size(), c.fileBytes);
  EXPECT_EQ(ReadLe32(file, 4), c.fileBytes - 8);
  EXPECT_EQ(ReadLe32(file, 16), 16u);
  EXPECT_EQ(ReadLe16(file, 20), 1u);
  EXPECT_EQ(ReadLe16(file, 22), 1u);
  EXPECT_EQ(ReadLe32(file, 24), c.rate);
  EXPECT_EQ(ReadLe32(file, 28), c.rate);
  EXPECT_EQ(ReadLe16(file, 32), 1u);
  EXPECT_EQ(ReadLe16(file, 34), 8u);
  EXPECT_EQ(ReadLe32(file, 40), c.dataBytes);
}

TEST_P(WaveFormat, IsAudibleAndStartsAndEndsAtRest) {
  const auto file = FindResource(ResourceType::Wave, GetParam().id);
  ASSERT_GT(file.size(), 44u);
  const auto samples = file.subspan(44);
  // Fades keep the ends near the 128 mid-level, so playback does not click.
  EXPECT_LE(std::abs(samples.front() - 128), 2);
  EXPECT_LE(std::abs(samples.back() - 128), 2);
  int peak = 0;
  for (std::uint8_t s : samples) peak = std::max(peak, std::abs(s - 128));
  EXPECT_GT(peak, 40);
  EXPECT_LT(peak, 128);  // headroom: never clipped
}

INSTANTIATE_TEST_SUITE_P(AllSounds, WaveFormat,
                         ::testing::Values(WaveCase{139, 19886, 3622, 3666},
                                           WaveCase{140, 8363, 598, 642},
                                           WaveCase{141, 19886, 4826, 4870},
                                           WaveCase{144, 19886, 598, 642},
                                           WaveCase{146, 7457, 3768, 3812}),
                         [](const ::testing::TestParamInfo<WaveCase>& info) {
                           return "Sound" + std::to_string(info.param.id);
                         });

}  // namespace
