// SPDX-License-Identifier: GPL-3.0-or-later
// How well Game > Hint plays: whole games on fixed sets of numbered boards,
// every move the hint's, against always taking the largest group and against
// a long reference search from the first position (exact on Small, a beam a
// hundred times as wide elsewhere). A report, not a Google Benchmark: the
// figures are scores and shares, with the hint's time per call beside them.
//
// Usage: bench_hint [--boards N] [--only SIZE/KINDS]; Google Benchmark
// flags that scripts/run-benchmarks.sh passes to every bench are ignored.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/hint_search.h"
#include "game/karoblen_doc.h"
#include "game/rules.h"

namespace {
struct BoardSet {
  int nBoardSize;
  int nKinds;
};
constexpr BoardSet kSets[] = {{0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 3},
                              {1, 4}, {1, 5}, {2, 4}, {2, 5}};
const char* const kSizeNames[] = {"Small", "Medium", "Large"};

// Boards dealt by number follow the game's own rule: the number seeds the
// generator, and the tiles are drawn column by column, top to bottom.
void DealNumbered(CKaroblenDoc& doc, int nBoardSize, int nKinds, unsigned nNumber) {
  doc.SetBoardSize(nBoardSize);
  doc.SetTileKinds(nKinds);
  std::srand(nNumber);
  CKaroblenDoc::TileGrid grid;
  grid.fill(EmptyCell);
  for (int c = 0; c < doc.GetWidth(); ++c)
    for (int r = 0; r < doc.GetHeight(); ++r)
      grid[static_cast<std::size_t>(kMaxRows * c + r)] =
          static_cast<std::int8_t>(std::rand() % nKinds);
  doc.SetGrid(grid);
}

void Play(CKaroblenDoc& doc, const Hint& hint) {
  doc.RemoveGroupAt(hint.nColumn, hint.nRow);
  while (doc.DropStep()) {
  }
  doc.CloseEmptyColumns();
}

int FinalOf(const CKaroblenDoc& doc) { return FinalScore(doc.GetScore(), doc.GetTilesLeft()); }

struct HintGame {
  int nFinal = 0;
  bool bCleared = false;
  bool bOpeningVerdictProvedNot = false;
  bool bOpeningCanClear = false;
  double dOpeningMs = 0;
  std::vector<double> callMs;
};

HintGame PlayWithHints(CKaroblenDoc& doc) {
  HintGame game;
  bool bFirst = true;
  while (!doc.IsGameOver()) {
    const auto start = std::chrono::steady_clock::now();
    const Hint hint = FindHint(PositionOf(doc));
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    game.callMs.push_back(ms);
    if (bFirst) {
      game.dOpeningMs = ms;
      game.bOpeningVerdictProvedNot = hint.verdict == ClearVerdict::CannotClear;
      game.bOpeningCanClear = hint.verdict == ClearVerdict::CanClear;
      bFirst = false;
    }
    Play(doc, hint);
  }
  game.nFinal = FinalOf(doc);
  game.bCleared = doc.GetTilesLeft() == 0;
  return game;
}

int PlayLargestGroup(CKaroblenDoc& doc) {
  while (!doc.IsGameOver()) Play(doc, LargestGroupMove(PositionOf(doc)));
  return FinalOf(doc);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int nBoards = 100;
  std::string only;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--boards") == 0 && i + 1 < argc) nBoards = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) only = argv[++i];
  }
  // The reference spends a hundred times the hint's beam on one search
  // from the first position.
  const HintEffort reference{kHintEffort.nBeamWidth * 100, kHintEffort.nExactLimit * 100};

  std::printf("%-9s %8s %8s %8s %6s %7s %7s %8s %8s %8s %8s\n", "set", "hint", "largest", "ref",
              "ratio", "clears", "proved", "optimal", "open_ms", "med_ms", "max_ms");
  for (const BoardSet& set : kSets) {
    const std::string name =
        std::string(kSizeNames[set.nBoardSize]) + "/" + std::to_string(set.nKinds);
    if (!only.empty() && only != name) continue;
    long nHint = 0, nLargest = 0, nReference = 0;
    int nClears = 0, nProved = 0, nOptimal = 0;
    std::vector<double> openingMs, callMs;
    for (int n = 1; n <= nBoards; ++n) {
      CKaroblenDoc doc;
      DealNumbered(doc, set.nBoardSize, set.nKinds, static_cast<unsigned>(n));
      const Hint referenceHint = FindHint(PositionOf(doc), reference);
      const HintGame game = PlayWithHints(doc);
      DealNumbered(doc, set.nBoardSize, set.nKinds, static_cast<unsigned>(n));
      const int nLargestFinal = PlayLargestGroup(doc);
      // Playing the hint may find more than the reference's one search.
      const int nReferenceFinal = std::max(referenceHint.nBestFinal, game.nFinal);
      nHint += game.nFinal;
      nLargest += nLargestFinal;
      nReference += referenceHint.nBestFinal;
      nClears += game.bCleared ? 1 : 0;
      nProved += game.bOpeningVerdictProvedNot ? 1 : 0;
      nOptimal += referenceHint.bOptimal && game.nFinal == nReferenceFinal ? 1 : 0;
      openingMs.push_back(game.dOpeningMs);
      callMs.insert(callMs.end(), game.callMs.begin(), game.callMs.end());
    }
    const double d = nBoards;
    std::printf("%-9s %8.1f %8.1f %8.1f %5.1f%% %6.0f%% %6.0f%% %7.0f%% %8.1f %8.1f %8.1f\n",
                name.c_str(), nHint / d, nLargest / d, nReference / d,
                nReference ? 100.0 * nHint / nReference : 0.0, 100.0 * nClears / d,
                100.0 * nProved / d, set.nBoardSize == 0 ? 100.0 * nOptimal / d : 0.0,
                Median(openingMs), Median(callMs),
                callMs.empty() ? 0.0 : *std::max_element(callMs.begin(), callMs.end()));
    std::fflush(stdout);
  }
  return 0;
}
