// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a player sees of a game, compared as a whole.
#include <utility>
#include <vector>

#include "game/karoblen_doc.h"

struct BoardSnapshot {
  int width = 0;
  int height = 0;
  int score = 0;
  int tilesLeft = 0;
  bool canUndo = false;
  std::vector<int> tiles;  // column-major
  friend bool operator==(const BoardSnapshot&, const BoardSnapshot&) = default;
};

inline BoardSnapshot Snapshot(const CKaroblenDoc& doc) {
  BoardSnapshot s{doc.GetWidth(),     doc.GetHeight(), doc.GetScore(),
                  doc.GetTilesLeft(), doc.CanUndo(),   {}};
  for (int c = 0; c < doc.GetWidth(); ++c)
    for (int r = 0; r < doc.GetHeight(); ++r) s.tiles.push_back(doc.GetTile(c, r));
  return s;
}

// The first cell, scanning columns left to right and rows top to bottom,
// whose group has two or more tiles; (-1, -1) when the board has no move.
inline std::pair<int, int> FindRemovableCell(CKaroblenDoc& doc) {
  for (int c = 0; c < doc.GetWidth(); ++c) {
    for (int r = 0; r < doc.GetHeight(); ++r) {
      const int kind = doc.GetTile(c, r);
      if (kind < 0) continue;
      const bool right = c + 1 < doc.GetWidth() && doc.GetTile(c + 1, r) == kind;
      const bool below = r + 1 < doc.GetHeight() && doc.GetTile(c, r + 1) == kind;
      if (right || below) return {c, r};
    }
  }
  return {-1, -1};
}
