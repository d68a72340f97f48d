// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexed_image.h"

#include <zlib.h>

#include <stdexcept>

#include "colours.h"

namespace resgen {

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : m_nWidth(width),
      m_nHeight(height),
      m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void IndexedImage::fillRect(int x, int y, int w, int h, std::uint8_t colour) {
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) set(col, row, colour);
  }
}

void IndexedImage::drawPattern(int x, int y, const std::vector<std::string>& rows,
                               const std::string& key, const std::vector<std::uint8_t>& colours) {
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (std::size_t col = 0; col < rows[row].size(); ++col) {
      const auto k = key.find(rows[row][col]);
      if (k != std::string::npos) {
        set(x + static_cast<int>(col), y + static_cast<int>(row), colours[k]);
      }
    }
  }
}

Palette16 StandardPalette() {
  return {{{0, 0, 0},
           {128, 0, 0},
           {0, 128, 0},
           {128, 128, 0},
           {0, 0, 128},
           {128, 0, 128},
           {0, 128, 128},
           {res::kLightGrey.r, res::kLightGrey.g, res::kLightGrey.b},
           {128, 128, 128},
           {255, 0, 0},
           {0, 255, 0},
           {255, 255, 0},
           {0, 0, 255},
           {255, 0, 255},
           {0, 255, 255},
           {255, 255, 255}}};
}

void PutLe16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, value & 0xFFFF);
  PutLe16(out, value >> 16);
}

std::size_t Dib4RowBytes(int width) {
  // Two pixels per byte, rows padded to whole 32-bit words.
  return ((static_cast<std::size_t>(width) * 4 + 31) / 32) * 4;
}

void AppendDib4(std::vector<std::uint8_t>& out, const IndexedImage& image, const Palette16& palette,
                int headerHeight) {
  const std::size_t rowBytes = Dib4RowBytes(image.width());
  const auto imageBytes =
      static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(image.height()));
  PutLe32(out, 40);
  PutLe32(out, static_cast<std::uint32_t>(image.width()));
  PutLe32(out, static_cast<std::uint32_t>(headerHeight));
  PutLe16(out, 1);  // planes
  PutLe16(out, 4);  // bits per pixel
  PutLe32(out, 0);  // uncompressed
  PutLe32(out, imageBytes);
  PutLe32(out, 0);  // no preferred resolution
  PutLe32(out, 0);
  PutLe32(out, 16);  // colours used
  PutLe32(out, 0);   // all colours important
  for (const Rgb& c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = image.height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.width(); ++x) {
      const auto nibble = static_cast<std::uint8_t>(image.at(x, y) & 0x0F);
      row[static_cast<std::size_t>(x / 2)] |=
          (x % 2 == 0) ? static_cast<std::uint8_t>(nibble << 4) : nibble;
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

std::vector<std::uint8_t> EncodeBmp4(const IndexedImage& image, const Palette16& palette) {
  constexpr std::uint32_t kHeadersAndPalette = 14 + 40 + 16 * 4;
  const auto imageBytes = static_cast<std::uint32_t>(Dib4RowBytes(image.width()) *
                                                     static_cast<std::size_t>(image.height()));
  std::vector<std::uint8_t> out;
  out.reserve(kHeadersAndPalette + imageBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, kHeadersAndPalette + imageBytes);
  PutLe32(out, 0);  // reserved
  PutLe32(out, kHeadersAndPalette);
  AppendDib4(out, image, palette, image.height());
  return out;
}

namespace {

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

void AppendPngChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                    const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  // The checksum covers the type and the data.
  const uLong crc =
      crc32(crc32(0, nullptr, 0), out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBe32(out, static_cast<std::uint32_t>(crc));
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const IndexedImage& image, const Palette16& palette) {
  std::vector<std::uint8_t> header;
  PutBe32(header, static_cast<std::uint32_t>(image.width()));
  PutBe32(header, static_cast<std::uint32_t>(image.height()));
  header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit palette, no interlace

  std::vector<std::uint8_t> colours;
  std::vector<std::uint8_t> alphas;
  for (const Rgb& c : palette) {
    colours.insert(colours.end(), {c.r, c.g, c.b});
    alphas.push_back(255);
  }
  colours.insert(colours.end(), {0, 0, 0});  // kTransparentIndex
  alphas.push_back(0);

  // Each row starts with its filter type, 0 (none).
  std::vector<std::uint8_t> rows;
  rows.reserve(static_cast<std::size_t>(image.height()) *
               (static_cast<std::size_t>(image.width()) + 1));
  for (int y = 0; y < image.height(); ++y) {
    rows.push_back(0);
    for (int x = 0; x < image.width(); ++x) rows.push_back(image.at(x, y));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()),
                Z_BEST_COMPRESSION) != Z_OK)
    throw std::runtime_error("zlib could not compress a PNG image");
  packed.resize(packedSize);

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  AppendPngChunk(out, "IHDR", header);
  AppendPngChunk(out, "PLTE", colours);
  AppendPngChunk(out, "tRNS", alphas);
  AppendPngChunk(out, "IDAT", packed);
  AppendPngChunk(out, "IEND", {});
  return out;
}

}  // namespace resgen
