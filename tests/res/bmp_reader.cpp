// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_reader.h"

#include <cstdlib>

namespace restest {

std::uint32_t ReadLe32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadLe16(bytes, offset)) |
         (static_cast<std::uint32_t>(ReadLe16(bytes, offset + 2)) << 16);
}

unsigned ReadLe16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  if (offset + 2 > bytes.size()) std::abort();
  return bytes[offset] | (bytes[offset + 1] << 8);
}

Dib4::Dib4(std::span<const std::uint8_t> bytes, std::size_t dibOffset, std::size_t pixelOffset,
           int height)
    : m_bytes(bytes), m_nDib(dibOffset), m_nPixels(pixelOffset), m_nHeight(height) {}

int Dib4::width() const { return static_cast<int>(ReadLe32(m_bytes, m_nDib + 4)); }

int Dib4::index(int x, int y) const {
  const std::size_t rowBytes = ((static_cast<std::size_t>(width()) * 4 + 31) / 32) * 4;
  // Rows are stored bottom-up.
  const std::size_t row = static_cast<std::size_t>(m_nHeight - 1 - y);
  const std::size_t at = m_nPixels + row * rowBytes + static_cast<std::size_t>(x / 2);
  if (at >= m_bytes.size()) std::abort();
  const std::uint8_t pair = m_bytes[at];
  return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

std::array<int, 3> Dib4::colour(int paletteIndex) const {
  const std::size_t at = m_nDib + 40 + 4 * static_cast<std::size_t>(paletteIndex);
  return {m_bytes[at + 2], m_bytes[at + 1], m_bytes[at]};
}

Dib4 OpenBmp(std::span<const std::uint8_t> file) {
  const auto height = static_cast<int>(ReadLe32(file, 14 + 8));
  return Dib4(file, 14, ReadLe32(file, 10), height);
}

}  // namespace restest
