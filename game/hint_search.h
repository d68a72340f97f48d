// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search behind Game > Hint: the best sequence of moves it can find from
// a position, judged by the final score (score minus tiles left, plus the
// bonus for a cleared board), and what it learnt about clearing the board.
//
// Its effort is counted in positions visited, never in time, so the same
// position always gives the same hint. It is plain standard C++ and may run
// on any thread; it reads only the position it is given.
#include <atomic>

#include "game/karoblen_doc.h"

enum class ClearVerdict {
  CanClear,     // a sequence that clears the board was found
  CannotClear,  // proved: no sequence clears it
  Unknown,      // neither within the effort allowed
};

// A board as the search takes it: a settled board in the document's layout.
struct HintPosition {
  int nWidth = 0;
  int nHeight = 0;
  int nScore = 0;
  CKaroblenDoc::TileGrid grid{};
};
HintPosition PositionOf(const CKaroblenDoc& doc);

struct Hint {
  bool bHasMove = false;
  // A cell of the group to play, in board coordinates (row 0 at the top).
  int nColumn = -1;
  int nRow = -1;
  int nKind = -1;
  int nGroupSize = 0;
  // The final score of the best sequence found.
  int nBestFinal = 0;
  ClearVerdict verdict = ClearVerdict::Unknown;
  // True when the best sequence is proved the best there is.
  bool bOptimal = false;
  long nVisited = 0;
  bool bCancelled = false;
};

struct HintEffort {
  // Positions the beams may look at in all. A narrow beam runs first, then
  // one as wide as the rest pays for; one that never drops a position is
  // exact, and ends the search.
  long nBeamNodes;
  // Positions the exact search may visit before it gives up on a position
  // of more tiles than a Small board; it runs first, and a position it
  // exhausts needs no beam. Positions of a Small board's size or less are
  // always searched to the end, which takes a few milliseconds at most.
  long nExactLimit;
};
// What Game > Hint spends: about 120 ms of one core on a dealt Large board
// (0.4 us a position), less as the board empties, and well under the 250 ms
// a player should wait. The exact search pays off only on small positions,
// which it gets anyway.
inline constexpr HintEffort kHintEffort{300000, 0};

// `pCancel`, when given and set, stops the search early; the hint then says
// bCancelled and must not be shown.
Hint FindHint(const HintPosition& position, const HintEffort& effort = kHintEffort,
              const std::atomic<bool>* pCancel = nullptr);

// The move a player who always takes the largest group would make (the
// first such group in column order), for comparison.
Hint LargestGroupMove(const HintPosition& position);
