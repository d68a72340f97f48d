// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wnd.h"

namespace {
bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

int Utf8Length(const std::string& text) {
  int count = 0;
  for (char c : text)
    if (!IsContinuationByte(c)) ++count;
  return count;
}

std::string Utf8Left(const std::string& text, int characters) {
  if (characters <= 0) return std::string();
  int seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (seen == characters) return text.substr(0, i);
    ++seen;
  }
  return text;
}
