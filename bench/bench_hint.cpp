// SPDX-License-Identifier: GPL-3.0-or-later
// How well Game > Hint plays: whole games on fixed sets of numbered boards,
// every move the hint's, against always taking the largest group and against
// a long reference search from the first position (exact on Small, a beam a
// hundred times as wide elsewhere). A report, not a Google Benchmark: the
// figures are scores and shares, with the hint's time per call beside them.
//
// Usage: bench_hint [--boards N] [--reference-boards N] [--threads N]
// [--only SIZE/KINDS]; Google Benchmark flags that scripts/run-benchmarks.sh
// passes to every bench are ignored.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
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

// Boards are dealt by number as the game deals them. The C library's
// generator is one for the whole program, so the threads deal in turn.
void DealNumbered(CKaroblenDoc& doc, int nBoardSize, int nKinds, unsigned nNumber) {
  static std::mutex dealing;
  const std::lock_guard lock(dealing);
  doc.SetBoardSize(nBoardSize);
  doc.SetTileKinds(nKinds);
  doc.DealBoard(nNumber);
}

void Play(CKaroblenDoc& doc, const Hint& hint) {
  doc.RemoveGroupAt(hint.nColumn, hint.nRow);
  while (doc.DropStep()) {
  }
  doc.CloseEmptyColumns();
}

// The time this thread has run, so that other programs sharing the machine
// do not count: what one core spends on the hint.
double CpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
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
    const double start = CpuMs();
    const Hint hint = FindHint(PositionOf(doc));
    const double ms = CpuMs() - start;
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

struct BoardResult {
  HintGame game;
  int nLargest = 0;
  bool bHasReference = false;
  Hint reference;
};

BoardResult PlayBoard(const BoardSet& set, int nNumber, bool bReference) {
  // The reference spends a hundred times the hint's allowance on one
  // search from the first position.
  constexpr HintEffort kReference{kHintEffort.nBeamNodes * 100, kHintEffort.nExactLimit * 100};
  BoardResult result;
  CKaroblenDoc doc;
  DealNumbered(doc, set.nBoardSize, set.nKinds, static_cast<unsigned>(nNumber));
  if (bReference) {
    result.reference = FindHint(PositionOf(doc), kReference);
    result.bHasReference = true;
  }
  result.game = PlayWithHints(doc);
  DealNumbered(doc, set.nBoardSize, set.nKinds, static_cast<unsigned>(nNumber));
  result.nLargest = PlayLargestGroup(doc);
  return result;
}

// Boards are shared out among the cores; each hint's time is its own
// thread's.
std::vector<BoardResult> PlaySet(const BoardSet& set, int nBoards, int nReferenceBoards,
                                 int nThreads) {
  std::vector<BoardResult> results(static_cast<std::size_t>(nBoards));
  std::atomic<int> next{0};
  auto worker = [&] {
    for (int i = next++; i < nBoards; i = next++)
      results[static_cast<std::size_t>(i)] = PlayBoard(set, i + 1, i < nReferenceBoards);
  };
  std::vector<std::thread> threads;
  for (int t = 1; t < nThreads; ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& t : threads) t.join();
  return results;
}
}  // namespace

int main(int argc, char** argv) {
  int nBoards = 100;
  // The reference costs a hundred hints per board: by default it runs on
  // the first boards of each set only, on which the ratio is taken.
  int nReferenceBoards = 20;
  int nThreads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::string only;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--boards") == 0)
      nBoards = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--reference-boards") == 0)
      nReferenceBoards = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--threads") == 0)
      nThreads = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--only") == 0)
      only = argv[++i];
  }
  nReferenceBoards = std::min(nReferenceBoards, nBoards);
  std::printf("boards per set %d, reference on the first %d (Small: all, exact), %d threads\n",
              nBoards, nReferenceBoards, nThreads);
  std::printf("%-9s %8s %8s %8s %8s %7s %7s %7s %8s %8s %8s %8s\n", "set", "hint", "largest",
              "hint@ref", "ref", "ratio", "clears", "proved", "optimal", "open_ms", "med_ms",
              "max_ms");
  for (const BoardSet& set : kSets) {
    const std::string name =
        std::string(kSizeNames[set.nBoardSize]) + "/" + std::to_string(set.nKinds);
    if (!only.empty() && only != name) continue;
    // On Small the reference is the exact search, cheap enough for every board.
    const int nWithReference = set.nBoardSize == 0 ? nBoards : nReferenceBoards;
    const std::vector<BoardResult> results = PlaySet(set, nBoards, nWithReference, nThreads);
    // Sums of scores, exact in a double, which the averages are taken in.
    double dHint = 0, dLargest = 0, dHintAtReference = 0, dReference = 0;
    int nClears = 0, nProved = 0, nOptimal = 0, nReferenced = 0;
    std::vector<double> openingMs, callMs;
    for (const BoardResult& r : results) {
      dHint += r.game.nFinal;
      dLargest += r.nLargest;
      nClears += r.game.bCleared ? 1 : 0;
      nProved += r.game.bOpeningVerdictProvedNot ? 1 : 0;
      if (r.bHasReference) {
        ++nReferenced;
        dHintAtReference += r.game.nFinal;
        dReference += r.reference.nBestFinal;
        nOptimal += r.reference.bOptimal && r.game.nFinal == r.reference.nBestFinal ? 1 : 0;
      }
      openingMs.push_back(r.game.dOpeningMs);
      callMs.insert(callMs.end(), r.game.callMs.begin(), r.game.callMs.end());
    }
    const double d = nBoards;
    const double dr = std::max(1, nReferenced);
    std::printf("%-9s %8.1f %8.1f %8.1f %8.1f %6.1f%% %6.0f%% %6.0f%% %7.0f%% %8.1f %8.1f %8.1f\n",
                name.c_str(), dHint / d, dLargest / d, dHintAtReference / dr, dReference / dr,
                dReference > 0 ? 100.0 * dHintAtReference / dReference : 0.0, 100.0 * nClears / d,
                100.0 * nProved / d, set.nBoardSize == 0 ? 100.0 * nOptimal / dr : 0.0,
                Median(openingMs), Median(callMs),
                callMs.empty() ? 0.0 : *std::max_element(callMs.begin(), callMs.end()));
    std::fflush(stdout);
  }
  return 0;
}
