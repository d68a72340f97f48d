// SPDX-License-Identifier: GPL-3.0-or-later
#include "tile_symbols_art.h"

#include <array>

#include "colours.h"
#include "tile_geometry.h"

namespace resgen {
namespace {

// A mark is white edged in black, so that it stands out on every face, light
// or dark, and the kinds differ by shape where colours run together: a ring,
// a cross, a square, a triangle and a bar. It sits in the middle of the face
// and keeps clear of the bevels, which show the highlight, and of the
// outlines, which show how a group joins.
using tile::kSize;
constexpr int kMarkSize = 16;
constexpr int kMarkOrigin = tile::kFaceStart + (tile::kFaceSize - kMarkSize) / 2;

constexpr std::uint8_t kKey = 0;
constexpr std::uint8_t kBlack = 1;
constexpr std::uint8_t kWhite = 2;

using Mark = std::vector<std::string>;

// Red.
const Mark kRing = {
    "......####......", "....##oooo##....", "...#oooooooo#...", "..#ooo####ooo#..",
    ".#oo##....##oo#.", ".#oo#......#oo#.", "#oo#........#oo#", "#oo#........#oo#",
    "#oo#........#oo#", "#oo#........#oo#", ".#oo#......#oo#.", ".#oo##....##oo#.",
    "..#ooo####ooo#..", "...#oooooooo#...", "....##oooo##....", "......####......",
};

// Blue.
const Mark kCross = {
    ".##..........##.", "#oo#........#oo#", "#ooo#......#ooo#", ".#ooo#....#ooo#.",
    "..#ooo#..#ooo#..", "...#ooo##ooo#...", "....#oooooo#....", ".....#oooo#.....",
    ".....#oooo#.....", "....#oooooo#....", "...#ooo##ooo#...", "..#ooo#..#ooo#..",
    ".#ooo#....#ooo#.", "#ooo#......#ooo#", "#oo#........#oo#", ".##..........##.",
};

// Yellow.
const Mark kSquare = {
    "................", "................", "..############..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..", "..#oooooooooo#..",
    "..#oooooooooo#..", "..############..", "................", "................",
};

// Green.
const Mark kTriangle = {
    ".......##.......", "......#oo#......", "......#oo#......", ".....#oooo#.....",
    ".....#oooo#.....", "....#oooooo#....", "....#oooooo#....", "...#oooooooo#...",
    "...#oooooooo#...", "..#oooooooooo#..", "..#oooooooooo#..", ".#oooooooooooo#.",
    ".#oooooooooooo#.", "#oooooooooooooo#", "################", "................",
};

// Grey.
const Mark kBar = {
    "................", "................", "................", "................",
    "................", ".##############.", "#oooooooooooooo#", "#oooooooooooooo#",
    "#oooooooooooooo#", "#oooooooooooooo#", ".##############.", "................",
    "................", "................", "................", "................",
};

}  // namespace

Palette16 TileSymbolsPalette() {
  Palette16 palette{};  // indexes 3-15 stay black
  palette[kKey] = {res::kTileSymbolKey.r, res::kTileSymbolKey.g, res::kTileSymbolKey.b};
  palette[kBlack] = {0, 0, 0};
  palette[kWhite] = {255, 255, 255};
  return palette;
}

IndexedImage DrawTileSymbols() {
  const std::array<const Mark*, 5> marks = {&kRing, &kCross, &kSquare, &kTriangle, &kBar};
  IndexedImage sheet(static_cast<int>(marks.size()) * kSize, kSize, kKey);
  for (std::size_t kind = 0; kind < marks.size(); ++kind) {
    const int left = static_cast<int>(kind) * kSize + kMarkOrigin;
    sheet.drawPattern(left, kMarkOrigin, *marks[kind], "#o", {kBlack, kWhite});
  }
  static_assert(kMarkOrigin + kMarkSize <= tile::kFaceStart + tile::kFaceSize);
  return sheet;
}

}  // namespace resgen
