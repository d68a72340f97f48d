#include "icon_art.h"

#include "indexed_image.h"

namespace resgen {
namespace {

// Indexes into StandardPalette().
constexpr std::uint8_t kBlack = 0, kNavy = 4, kSilver = 7, kGrey = 8, kRed = 9, kYellow = 11,
                       kWhite = 15;

// One 16 x 16 tile: black outline, white/grey bevel, face in `face`.
void DrawTile(IndexedImage& image, int left, int top, std::uint8_t face) {
  image.fillRect(left, top, 16, 16, kBlack);
  image.fillRect(left + 1, top + 1, 14, 14, kGrey);
  image.fillRect(left + 1, top + 1, 13, 13, kWhite);
  image.fillRect(left + 3, top + 3, 11, 11, kGrey);
  image.fillRect(left + 3, top + 3, 10, 10, face);
}

IndexedImage DrawIcon() {
  IndexedImage image(32, 32, kSilver);
  DrawTile(image, 0, 0, kYellow);
  DrawTile(image, 16, 0, kNavy);
  DrawTile(image, 0, 16, kRed);
  DrawTile(image, 16, 16, kRed);
  return image;
}

}  // namespace

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

}  // namespace resgen
