// SPDX-License-Identifier: GPL-3.0-or-later
#include "tileset_art.h"

#include "tile_geometry.h"

namespace resgen {
namespace {

// Geometry of one 40-pixel picture, along either axis, for an unjoined side:
//
//   near side (left/top)            far side (right/bottom)
//   0-1  outline  2-5  bevel  | 6-31 face (26) |  32-35 bevel  36-37 outline  38-39 seam
//
// 2 + 4 + 26 + 4 + 2 + 2 = 40. The seam is grey, so neighbouring tiles sit
// apart by it. A joined side drops its outline, bevel and seam and the face
// runs to the picture's edge; the perpendicular bands then run to the edge
// too, so the outline of a group is continuous across its tiles.
//
// Where two bevels meet in an outer corner, the 4 x 4 corner square is
// split along its diagonal: the diagonal pixels are grey, the pixels nearer
// a side's outer edge take that side's bevel colour.
//
// Where two joined sides meet, a 4 x 4 notch stays in that corner: a 2 x 2
// block of outline at the very corner and a 2-pixel bevel around it, split
// diagonally like an outer corner but shaded as a dent (its edge facing a
// side has that side's colour). Four tiles of one kind meeting at a point
// thus show a small rivet.

using tile::kBevel;
using tile::kOutline;
using tile::kSeam;
using tile::kSize;
constexpr int kNotch = 4;
constexpr int kNotchOutline = 2;

constexpr std::uint8_t kGrey = 0;
constexpr std::uint8_t kBlack = 1;
constexpr std::uint8_t kWhite = 2;

// Palette index of each kind's face: red, blue, yellow, green, dark grey.
constexpr std::uint8_t kKindFace[5] = {6, 3, 4, 5, 7};

constexpr unsigned kJoinAbove = 1, kJoinRight = 2, kJoinBelow = 4, kJoinLeft = 8;

enum class Band { Seam, Outline, Bevel, Face };

struct AxisPosition {
  Band band;
  bool nearSide;  // left or top, as opposed to right or bottom
  int depth;      // within a bevel: 0 next to the outline, 3 next to the face
};

// Where `p` (0-39) falls along one axis, given which of its two sides join.
AxisPosition Classify(int p, bool nearJoined, bool farJoined) {
  if (!nearJoined) {
    if (p < kOutline) return {Band::Outline, true, 0};
    if (p < kOutline + kBevel) return {Band::Bevel, true, p - kOutline};
  }
  if (!farJoined) {
    const int fromFar = kSize - 1 - p;
    if (fromFar < kSeam) return {Band::Seam, false, 0};
    if (fromFar < kSeam + kOutline) return {Band::Outline, false, 0};
    if (fromFar < kSeam + kOutline + kBevel)
      return {Band::Bevel, false, fromFar - kSeam - kOutline};
  }
  return {Band::Face, false, 0};
}

struct Shading {
  std::uint8_t lightSide;  // top and left bevel
  std::uint8_t darkSide;   // bottom and right bevel
  std::uint8_t bevel(bool nearSide) const { return nearSide ? lightSide : darkSide; }
};

std::uint8_t PixelAt(int x, int y, unsigned mask, std::uint8_t face, const Shading& shade) {
  const AxisPosition h = Classify(x, mask & kJoinLeft, mask & kJoinRight);
  const AxisPosition v = Classify(y, mask & kJoinAbove, mask & kJoinBelow);

  if (h.band == Band::Seam || v.band == Band::Seam) return kGrey;
  if (h.band == Band::Outline || v.band == Band::Outline) return kBlack;
  if (h.band == Band::Bevel && v.band == Band::Bevel) {
    if (h.depth == v.depth) return kGrey;
    return h.depth < v.depth ? shade.bevel(h.nearSide) : shade.bevel(v.nearSide);
  }
  if (h.band == Band::Bevel) return shade.bevel(h.nearSide);
  if (v.band == Band::Bevel) return shade.bevel(v.nearSide);

  // Face, unless inside the notch of a corner whose two sides both join.
  const bool nearX = x < kSize / 2;
  const bool nearY = y < kSize / 2;
  const bool xJoined = mask & (nearX ? kJoinLeft : kJoinRight);
  const bool yJoined = mask & (nearY ? kJoinAbove : kJoinBelow);
  const int u = nearX ? x : kSize - 1 - x;  // distance from the vertical edge
  const int w = nearY ? y : kSize - 1 - y;  // distance from the horizontal edge
  if (xJoined && yJoined && u < kNotch && w < kNotch) {
    if (u < kNotchOutline && w < kNotchOutline) return kBlack;
    if (u == w) return kGrey;
    // The dent's edge below/above the outline block faces the horizontal
    // side and is shaded like that side's bevel; likewise beside it.
    return w > u ? shade.bevel(nearY) : shade.bevel(nearX);
  }
  return face;
}

}  // namespace

Palette16 TilesetPalette() {
  Palette16 palette{};  // indexes 8-15 stay black
  palette[0] = {160, 160, 160};
  palette[1] = {0, 0, 0};
  palette[2] = {255, 255, 255};
  palette[3] = {26, 46, 255};
  palette[4] = {255, 220, 0};
  palette[5] = {0, 168, 0};
  palette[6] = {255, 70, 58};
  palette[7] = {90, 90, 90};
  return palette;
}

IndexedImage DrawTileset() {
  IndexedImage sheet(16 * kSize, 10 * kSize, kGrey);
  for (int kind = 0; kind < 5; ++kind) {
    for (int selected = 0; selected < 2; ++selected) {
      // A selected tile looks pressed in: its bevel is lit from below.
      const Shading shade = selected ? Shading{kBlack, kWhite} : Shading{kWhite, kBlack};
      const int top = (2 * kind + selected) * kSize;
      for (unsigned mask = 0; mask < 16; ++mask) {
        const int left = static_cast<int>(mask) * kSize;
        for (int y = 0; y < kSize; ++y) {
          for (int x = 0; x < kSize; ++x) {
            sheet.set(left + x, top + y, PixelAt(x, y, mask, kKindFace[kind], shade));
          }
        }
      }
    }
  }
  return sheet;
}

}  // namespace resgen
