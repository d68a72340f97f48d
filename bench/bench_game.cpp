// SPDX-License-Identifier: GPL-3.0-or-later
// Costs of the board operations the view runs on every pointer move and
// click, against copying one 200-byte grid as the unit of comparison.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "game/karoblen_doc.h"
#include "tests/game/karoblen_doc_test_access.h"

namespace {
using Access = CKaroblenDocTestAccess;
using Rows = Access::Rows;

constexpr int kLarge = 2;

// The group that costs SelectGroupAt the most passes on a Large board.
// A pass scans columns left to right, each top to bottom, and a cell joins as
// soon as a neighbour is selected, so within one pass the selection runs any
// distance down or to the right but only one cell up or to the left. The cost
// is therefore the number of upward and leftward steps on the way from the
// clicked cell, not the group's size: one kind filling the whole board (128
// tiles) is found in 23 passes. This snake of 71 tiles, clicked at its
// bottom-right end (14, 7), climbs every other column and steps left twice
// through each wall gap: 42 such steps, 43 passes.
// clang-format off
const Rows kSnake = {
    "0001000100010001",
    "0101010101010101",
    "0101010101010101",
    "0101010101010101",
    "0101010101010101",
    "0101010101010101",
    "0101010101010101",
    "0100010001000101",
};
// clang-format on

Rows RandomLargeDeal(unsigned seed, int nKinds) {
  std::mt19937 rng(seed);
  Rows rows(8, std::string(16, '.'));
  for (auto& row : rows)
    for (auto& ch : row) ch = static_cast<char>('0' + rng() % nKinds);
  return rows;
}

Rows LargeCheckerboard() {
  Rows rows(8, std::string(16, '.'));
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 16; ++c) rows[r][c] = (c + r) % 2 == 0 ? '0' : '1';
  return rows;
}

void BM_CopyGrid(benchmark::State& state) {
  CKaroblenDoc::TileGrid source{};
  CKaroblenDoc::TileGrid target{};
  for ([[maybe_unused]] auto _ : state) {
    benchmark::DoNotOptimize(source.data());
    target = source;
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyGrid);

void BM_SelectGroupSnake(benchmark::State& state) {
  CKaroblenDoc doc;
  Access::Lay(doc, kLarge, 2, kSnake);
  for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(doc.SelectGroupAt(14, 7));
  state.counters["tiles"] = doc.CountSelected();
}
BENCHMARK(BM_SelectGroupSnake);

void BM_SelectGroupFullBoard(benchmark::State& state) {
  CKaroblenDoc doc;
  Access::Lay(doc, kLarge, 2, Rows(8, std::string(16, '0')));
  for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(doc.SelectGroupAt(15, 7));
}
BENCHMARK(BM_SelectGroupFullBoard);

// One click on a dealt Large board, taking its biggest group: removal,
// settling column by column and closing columns. RestoreUndo, one grid copy,
// puts the board back for the next iteration and is included in the time.
void BM_WholeMoveDealtLarge(benchmark::State& state) {
  CKaroblenDoc doc;
  Access::Lay(doc, kLarge, 3, RandomLargeDeal(42, 3));
  int nBest = 0, nBestColumn = 0, nBestRow = 0;
  for (int c = 0; c < 16; ++c) {
    for (int r = 0; r < 8; ++r) {
      if (const int n = doc.SelectGroupAt(c, r); n > nBest) {
        nBest = n;
        nBestColumn = c;
        nBestRow = r;
      }
    }
  }
  int nDropSteps = 0;
  for ([[maybe_unused]] auto _ : state) {
    doc.RemoveGroupAt(nBestColumn, nBestRow);
    nDropSteps = 0;
    while (doc.DropStep()) ++nDropSteps;
    benchmark::DoNotOptimize(doc.CloseEmptyColumns());
    doc.RestoreUndo();
  }
  state.counters["tiles"] = nBest;
  state.counters["drop_steps"] = nDropSteps;
}
BENCHMARK(BM_WholeMoveDealtLarge);

// No pair anywhere: every cell has to be looked at.
void BM_IsGameOverNoMoveLeft(benchmark::State& state) {
  CKaroblenDoc doc;
  Access::Lay(doc, kLarge, 2, LargeCheckerboard());
  for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(doc.IsGameOver());
}
BENCHMARK(BM_IsGameOverNoMoveLeft);

void BM_IsGameOverDealtLarge(benchmark::State& state) {
  CKaroblenDoc doc;
  Access::Lay(doc, kLarge, 5, RandomLargeDeal(7, 5));
  for ([[maybe_unused]] auto _ : state) benchmark::DoNotOptimize(doc.IsGameOver());
}
BENCHMARK(BM_IsGameOverDealtLarge);
}  // namespace
