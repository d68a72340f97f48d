// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Just enough of a reader for 4-bit .bmp data to check single pixels.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace restest {

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset);
unsigned ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset);

// Reads a BITMAPINFOHEADER at `dibOffset` and the palette and rows after it.
class Dib4 {
 public:
  Dib4(std::span<const std::uint8_t> bytes, std::size_t dibOffset, std::size_t pixelOffset,
       int height);

  int width() const;
  // Palette index of pixel (x, y), y counted from the top.
  int index(int x, int y) const;
  // Palette entry as {r, g, b}.
  std::array<int, 3> colour(int paletteIndex) const;

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_nDib;
  std::size_t m_nPixels;
  int m_nHeight;
};

// A whole .bmp file.
Dib4 OpenBmp(std::span<const std::uint8_t> file);

}  // namespace restest
