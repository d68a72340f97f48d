// SPDX-License-Identifier: GPL-3.0-or-later
#include "icon_art.h"

#include "indexed_image.h"

namespace resgen {
namespace {

// Indexes into StandardPalette().
constexpr std::uint8_t kBlack = 0, kNavy = 4, kSilver = 7, kGrey = 8, kRed = 9, kYellow = 11,
                       kWhite = 15;

// One square tile: black outline, a white bevel at the top left, a grey one
// at the bottom right, and the face in `face`.
void DrawTile(IndexedImage& image, int left, int top, int size, std::uint8_t face) {
  const int inner = 1 + size / 8;  // the bevels: two pixels on 16, one on 8
  const int faceSize = size - 2 * inner;
  image.fillRect(left, top, size, size, kBlack);
  image.fillRect(left + 1, top + 1, size - 2, size - 2, kGrey);
  image.fillRect(left + 1, top + 1, size - 3, size - 3, kWhite);
  image.fillRect(left + inner, top + inner, faceSize + 1, faceSize + 1, kGrey);
  image.fillRect(left + inner, top + inner, faceSize, faceSize, face);
}

IndexedImage DrawFourTiles(int tile) {
  IndexedImage image(2 * tile, 2 * tile, kSilver);
  DrawTile(image, 0, 0, tile, kYellow);
  DrawTile(image, tile, 0, tile, kNavy);
  DrawTile(image, 0, tile, tile, kRed);
  DrawTile(image, tile, tile, tile, kRed);
  return image;
}

}  // namespace

IndexedImage DrawIcon() { return DrawFourTiles(16); }

IndexedImage DrawSmallIcon() { return DrawFourTiles(8); }

std::vector<std::uint8_t> MakeIconFile() {
  const IndexedImage image = DrawIcon();
  const std::size_t andRowBytes = 4;  // 32 one-bit pixels
  const std::size_t imageBytes = 40 + 16 * 4 + Dib4RowBytes(32) * 32 + andRowBytes * 32;

  std::vector<std::uint8_t> out;
  // Directory: reserved, type 1 (icon), one image.
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, 1);
  // Directory entry.
  out.push_back(32);  // width
  out.push_back(32);  // height
  out.push_back(16);  // colours
  out.push_back(0);   // reserved
  PutLe16(out, 1);    // planes
  PutLe16(out, 4);    // bits per pixel
  PutLe32(out, static_cast<std::uint32_t>(imageBytes));
  PutLe32(out, 6 + 16);  // offset of the image
  // The image's header counts the colour bitmap and the mask together.
  AppendDib4(out, image, StandardPalette(), 2 * image.height());
  // The transparency mask: every pixel opaque.
  out.insert(out.end(), andRowBytes * 32, 0);
  return out;
}

std::vector<std::uint8_t> MakeThemeIconPng(int size) {
  const IndexedImage large = DrawIcon();
  const IndexedImage small = DrawSmallIcon();
  // On a tie the large picture wins: its bevels are finer.
  const bool useLarge =
      (size / large.width()) * large.width() >= (size / small.width()) * small.width();
  const IndexedImage& art = useLarge ? large : small;
  const int factor = size / art.width();
  const int margin = (size - factor * art.width()) / 2;
  IndexedImage icon(size, size, kTransparentIndex);
  for (int y = 0; y < art.height() * factor; ++y)
    for (int x = 0; x < art.width() * factor; ++x)
      icon.set(margin + x, margin + y, art.at(x / factor, y / factor));
  return EncodePng(icon, StandardPalette());
}

}  // namespace resgen
