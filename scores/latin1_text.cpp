// SPDX-License-Identifier: GPL-3.0-or-later
#include "scores/latin1_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Length of the well-formed UTF-8 sequence at `text[pos]` and its code point,
// or 0 when the bytes there do not form one (stray continuation bytes,
// truncated, overlong or surrogate sequences, values above U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, std::uint32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  std::uint32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    minimum = 0x80;
    codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    minimum = 0x800;
    codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    minimum = 0x10000;
    codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
  return length;
}

}  // namespace

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::uint32_t codePoint = 0;
    const std::size_t length = DecodeUtf8(utf8, pos, codePoint);
    if (length == 0) {
      latin1 += '?';
      ++pos;
      continue;
    }
    latin1 += codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
    pos += length;
  }
  return latin1;
}

Latin1Split SplitByLatin1(std::string_view utf8) {
  Latin1Split split;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::uint32_t codePoint = 0;
    const std::size_t length = std::max<std::size_t>(DecodeUtf8(utf8, pos, codePoint), 1);
    const std::string_view character = utf8.substr(pos, length);
    pos += length;
    const bool wellFormed = length > 1 || static_cast<unsigned char>(character[0]) < 0x80;
    if (wellFormed && codePoint <= 0xFF) {
      split.kept += character;
      continue;
    }
    // A stray byte is shown as the replacement character, not as itself.
    const std::string shown = wellFormed ? std::string(character) : "\xEF\xBF\xBD";
    const std::string padded = " " + split.refused + " ";
    if (padded.find(" " + shown + " ") != std::string::npos) continue;
    if (!split.refused.empty()) split.refused += ' ';
    split.refused += shown;
  }
  return split;
}

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size() * 2);
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8 += c;
    } else {
      utf8 += static_cast<char>(0xC0 | (byte >> 6));
      utf8 += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return utf8;
}
