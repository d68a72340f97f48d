// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A palette image as the generator draws it, and its encodings: a 4-bit
// Windows bitmap, and a PNG for the desktop's icon themes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

struct Rgb {
  std::uint8_t r, g, b;
};

using Palette16 = std::array<Rgb, 16>;

// An index past the sixteen colours: see-through in a PNG, and never written
// into a bitmap.
constexpr std::uint8_t kTransparentIndex = 16;

// Pixels are palette indexes, stored top row first.
class IndexedImage {
 public:
  IndexedImage(int width, int height, std::uint8_t fill);

  int width() const { return m_nWidth; }
  int height() const { return m_nHeight; }
  std::uint8_t at(int x, int y) const { return m_pixels[index(x, y)]; }
  void set(int x, int y, std::uint8_t colour) { m_pixels[index(x, y)] = colour; }
  void fillRect(int x, int y, int w, int h, std::uint8_t colour);
  // Draws rows of characters; `key` maps each character to an index, and
  // characters not in `key` leave the pixel alone.
  void drawPattern(int x, int y, const std::vector<std::string>& rows, const std::string& key,
                   const std::vector<std::uint8_t>& colours);

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_nWidth) +
           static_cast<std::size_t>(x);
  }

  int m_nWidth;
  int m_nHeight;
  std::vector<std::uint8_t> m_pixels;
};

// The 16-colour palette of the classic VGA order; index 7 is (192,192,192).
Palette16 StandardPalette();

void PutLe16(std::vector<std::uint8_t>& out, unsigned value);
void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value);

// The 40-byte header plus palette plus bottom-up 4-bit rows, as used both in
// .bmp files and (with a doubled height and an AND mask) in icons.
// `headerHeight` is the height written into the header.
void AppendDib4(std::vector<std::uint8_t>& out, const IndexedImage& image, const Palette16& palette,
                int headerHeight);

std::size_t Dib4RowBytes(int width);

// A complete .bmp file.
std::vector<std::uint8_t> EncodeBmp4(const IndexedImage& image, const Palette16& palette);

// A complete PNG file: 8-bit palette of the sixteen colours plus
// kTransparentIndex, compressed with zlib.
std::vector<std::uint8_t> EncodePng(const IndexedImage& image, const Palette16& palette);

}  // namespace resgen
