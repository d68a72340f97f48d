// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/hint_search.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "game/rules.h"

namespace {
constexpr int kCols = kBoardDimensions[kBoardSizeCount - 1].nColumns;
constexpr int kRows = kBoardDimensions[kBoardSizeCount - 1].nRows;
constexpr int kCells = kCols * kRows;
constexpr std::uint8_t kNoLabel = 0xFF;
// The cancel flag is read this often, in positions visited.
constexpr long kCancelCheckEvery = 256;
constexpr long kFirstBeamWidth = 8;
constexpr double kLastBeamShare = 0.8;

// Columns are kept bottom-up, so falling is packing a column from index 0
// and closing up is dropping a column: a settled, closed board by
// construction.
struct Board {
  // A tile's kind, column c and height k at kRows * c + k: the search's
  // boards hold no empty cells.
  std::array<std::uint8_t, kCells> cell;
  std::array<std::uint8_t, kCols> height;
  int nWidth;
  int nTiles;
};

struct Group {
  std::uint8_t nCell;  // its first cell in column order
  std::uint8_t nKind;
  std::uint8_t nSize;
};

struct Groups {
  std::array<std::uint8_t, kCells> label;
  std::array<Group, kCells> group;
  int nCount = 0;
  int nMoves = 0;  // groups of two or more
};

void FindGroups(const Board& b, Groups& g) {
  g.label.fill(kNoLabel);
  g.nCount = 0;
  g.nMoves = 0;
  std::array<std::uint8_t, kCells> stack;
  for (int c = 0; c < b.nWidth; ++c) {
    for (int k = 0; k < b.height[c]; ++k) {
      const int start = kRows * c + k;
      if (g.label[start] != kNoLabel) continue;
      const auto id = static_cast<std::uint8_t>(g.nCount++);
      const std::uint8_t kind = b.cell[start];
      int top = 0;
      int size = 0;
      stack[top++] = static_cast<std::uint8_t>(start);
      g.label[start] = id;
      while (top > 0) {
        const int i = stack[--top];
        ++size;
        const int ic = i / kRows;
        const int ik = i % kRows;
        auto visit = [&](int j) {
          if (g.label[j] == kNoLabel && b.cell[j] == kind) {
            g.label[j] = id;
            stack[top++] = static_cast<std::uint8_t>(j);
          }
        };
        if (ik > 0) visit(i - 1);
        if (ik + 1 < b.height[ic]) visit(i + 1);
        if (ic > 0 && ik < b.height[ic - 1]) visit(i - kRows);
        if (ic + 1 < b.nWidth && ik < b.height[ic + 1]) visit(i + kRows);
      }
      g.group[id] = {static_cast<std::uint8_t>(start), kind, static_cast<std::uint8_t>(size)};
      if (size >= 2) ++g.nMoves;
    }
  }
}

void Apply(const Board& b, const Groups& g, int id, Board& out) {
  int w = 0;
  for (int c = 0; c < b.nWidth; ++c) {
    int n = 0;
    for (int k = 0; k < b.height[c]; ++k) {
      const int i = kRows * c + k;
      if (g.label[i] != id) out.cell[kRows * w + n++] = b.cell[i];
    }
    if (n > 0) out.height[w++] = static_cast<std::uint8_t>(n);
  }
  for (int c = w; c < kCols; ++c) out.height[c] = 0;
  out.nWidth = w;
  out.nTiles = b.nTiles - g.group[id].nSize;
}

constexpr std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// One fixed random number per cell and kind; a position's key is the
// exclusive or of its tiles' numbers.
constexpr auto kCellKeys = [] {
  std::array<std::array<std::uint64_t, kMaxTileKinds>, kCells> keys{};
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t kind = 0; kind < keys[i].size(); ++kind) keys[i][kind] = Mix(i * 8 + kind);
  return keys;
}();

std::uint64_t HashOf(const Board& b) {
  std::uint64_t h = 0;
  for (int c = 0; c < b.nWidth; ++c) {
    const auto base = static_cast<std::size_t>(kRows) * static_cast<std::size_t>(c);
    for (std::size_t k = 0; k < b.height[c]; ++k) h ^= kCellKeys[base + k][b.cell[base + k]];
  }
  return h;
}

void CountKinds(const Board& b, std::array<int, kMaxTileKinds>& counts) {
  counts.fill(0);
  for (int c = 0; c < b.nWidth; ++c)
    for (int k = 0; k < b.height[c]; ++k) ++counts[b.cell[kRows * c + k]];
}

// A kind with one tile left can never be removed.
bool HasLoneKind(const Board& b) {
  std::array<int, kMaxTileKinds> counts;
  CountKinds(b, counts);
  return std::find(counts.begin(), counts.end(), 1) != counts.end();
}

int EndValue(int nTilesLeft) { return FinalScore(0, nTilesLeft); }

// The exact search: the best final score still to come from a position,
// remembered per position, since many orders of the same moves meet again.
class CExactSearch {
 public:
  struct Result {
    int nValue;
    bool bCanClear;
  };

  CExactSearch(long nLimit, const std::atomic<bool>* pCancel)
      : m_nLimit(nLimit), m_pCancel(pCancel) {}

  bool Stopped() const { return m_bStopped; }
  long Visited() const { return m_nVisited; }

  Result Solve(const Board& b) {
    const std::uint64_t key = HashOf(b);
    if (auto it = m_memo.find(key); it != m_memo.end()) return it->second;
    if (++m_nVisited > m_nLimit || (m_nVisited % kCancelCheckEvery == 0 && m_pCancel &&
                                    m_pCancel->load(std::memory_order_relaxed))) {
      m_bStopped = true;
    }
    if (m_bStopped) return {0, false};
    Groups g;
    FindGroups(b, g);
    // While a move is left the game goes on, so only a position without
    // one ends with the tally.
    Result best{g.nMoves > 0 ? INT32_MIN : EndValue(b.nTiles), b.nTiles == 0};
    Board child;
    for (int id = 0; id < g.nCount && !m_bStopped; ++id) {
      if (g.group[id].nSize < 2) continue;
      Apply(b, g, id, child);
      const Result r = Solve(child);
      const int v = GroupScore(g.group[id].nSize) + r.nValue;
      if (v > best.nValue) best.nValue = v;
      best.bCanClear = best.bCanClear || r.bCanClear;
    }
    if (!m_bStopped) m_memo.emplace(key, best);
    return best;
  }

 private:
  long m_nLimit;
  const std::atomic<bool>* m_pCancel;
  long m_nVisited = 0;
  bool m_bStopped = false;
  std::unordered_map<std::uint64_t, Result> m_memo;
};

// How promising a position is for the beam: the points in hand, what its
// groups are worth now, and what each kind would be worth as one group,
// which keeps a kind together rather than spent early. Lone tiles are what
// a game ends with, and a kind down to a single tile rules the bonus out.
long Promise(const Board& b, const Groups& g, int nScore) {
  constexpr long kLoneTileCost = 150;
  constexpr long kLostBonusCost = 4 * kClearedBoardBonus;
  std::array<int, kMaxTileKinds> counts;
  CountKinds(b, counts);
  long nValue = 4L * nScore;
  for (int id = 0; id < g.nCount; ++id)
    nValue += g.group[id].nSize >= 2 ? 2L * GroupScore(g.group[id].nSize) : -kLoneTileCost;
  bool bLoneKind = false;
  for (const int n : counts) {
    if (n >= 2) nValue += GroupScore(n);
    bLoneKind = bLoneKind || n == 1;
  }
  return bLoneKind ? nValue - kLostBonusCost : nValue;
}

struct BeamNode {
  Board board;
  std::uint64_t nHash;
  int nScore;
  int nFirst;  // the root group this line began with
};

struct BeamKey {
  std::uint64_t nHash;
  long nPromise;
  int nScore;
  int nFirst;
  int nIndex;  // of the node among the children
};

struct Best {
  int nFinal = INT32_MIN;
  int nFirst = -1;
  bool bCleared = false;
  // No position was ever dropped: every sequence was looked at.
  bool bComplete = true;
  void Offer(int nFinalScore, int nFirstMove, bool bClears) {
    bCleared = bCleared || bClears;
    if (nFinalScore > nFinal) {
      nFinal = nFinalScore;
      nFirst = nFirstMove;
    }
  }
};

// `nLimit` bounds the positions the beam looks at: past it the beam narrows
// level by level instead of stopping, so that it still plays its lines out.
Best BeamSearch(const Board& root, const Groups& rootGroups, int nRootScore, long nWidth,
                long nLimit, const std::atomic<bool>* pCancel, long& nVisited, bool& bCancelled) {
  Best best;
  long nExpanded = 0;
  std::vector<BeamKey> keys;
  std::vector<BeamNode> level;
  std::vector<BeamNode> next;
  Groups g;
  for (int id = 0; id < rootGroups.nCount; ++id) {
    if (rootGroups.group[id].nSize < 2) continue;
    BeamNode node;
    Apply(root, rootGroups, id, node.board);
    node.nScore = nRootScore + GroupScore(rootGroups.group[id].nSize);
    node.nFirst = id;
    node.nHash = HashOf(node.board);
    level.push_back(node);
  }
  while (!level.empty()) {
    next.clear();
    for (BeamNode& node : level) {
      if (++nExpanded % kCancelCheckEvery == 0 && pCancel &&
          pCancel->load(std::memory_order_relaxed)) {
        bCancelled = true;
        return best;
      }
      FindGroups(node.board, g);
      if (g.nMoves == 0) {
        best.Offer(FinalScore(node.nScore, node.board.nTiles), node.nFirst, node.board.nTiles == 0);
        continue;
      }
      for (int id = 0; id < g.nCount; ++id) {
        if (g.group[id].nSize < 2) continue;
        ++nVisited;
        BeamNode child;
        Apply(node.board, g, id, child.board);
        child.nScore = node.nScore + GroupScore(g.group[id].nSize);
        child.nFirst = node.nFirst;
        child.nHash = HashOf(child.board);
        next.push_back(child);
      }
    }
    // Sorted as small keys; the boards stay where they are.
    keys.clear();
    for (std::size_t i = 0; i < next.size(); ++i)
      keys.push_back({next[i].nHash, 0, next[i].nScore, next[i].nFirst, static_cast<int>(i)});
    // One line per position: the best score reaching it, the earliest root
    // group on a tie.
    std::sort(keys.begin(), keys.end(), [](const BeamKey& a, const BeamKey& b) {
      if (a.nHash != b.nHash) return a.nHash < b.nHash;
      if (a.nScore != b.nScore) return a.nScore > b.nScore;
      return a.nFirst < b.nFirst;
    });
    keys.erase(std::unique(keys.begin(), keys.end(),
                           [](const BeamKey& a, const BeamKey& b) { return a.nHash == b.nHash; }),
               keys.end());
    for (BeamKey& key : keys) {
      const BeamNode& node = next[static_cast<std::size_t>(key.nIndex)];
      FindGroups(node.board, g);
      key.nPromise = Promise(node.board, g, node.nScore);
    }
    if (nVisited > nLimit) nWidth = std::max(1L, nWidth / 4);
    const auto keep = std::min<std::size_t>(keys.size(), static_cast<std::size_t>(nWidth));
    if (keep < keys.size()) best.bComplete = false;
    std::partial_sort(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(keep), keys.end(),
                      [](const BeamKey& a, const BeamKey& b) {
                        if (a.nPromise != b.nPromise) return a.nPromise > b.nPromise;
                        if (a.nFirst != b.nFirst) return a.nFirst < b.nFirst;
                        return a.nHash < b.nHash;
                      });
    level.clear();
    for (std::size_t i = 0; i < keep; ++i)
      level.push_back(next[static_cast<std::size_t>(keys[i].nIndex)]);
  }
  return best;
}

Board BoardOf(const HintPosition& p) {
  Board b{};
  b.nWidth = 0;
  b.nTiles = 0;
  b.height.fill(0);
  for (int c = 0; c < p.nWidth; ++c) {
    int n = 0;
    for (int r = p.nHeight - 1; r >= 0; --r) {
      const std::int8_t tile = p.grid[GridIndex(c, r)];
      if (tile >= 0) b.cell[kRows * b.nWidth + n++] = static_cast<std::uint8_t>(tile);
    }
    if (n > 0) b.height[b.nWidth++] = static_cast<std::uint8_t>(n);
    b.nTiles += n;
  }
  return b;
}

// The root group's place on the position's own board. The board is settled
// and closed whenever a player can ask, so its columns are the search's.
void DescribeMove(const HintPosition& p, const Groups& g, int id, Hint& hint) {
  const Group& group = g.group[id];
  hint.bHasMove = true;
  hint.nColumn = group.nCell / kRows;
  hint.nRow = p.nHeight - 1 - group.nCell % kRows;
  hint.nKind = group.nKind;
  hint.nGroupSize = group.nSize;
}
}  // namespace

HintPosition PositionOf(const CKaroblenDoc& doc) {
  HintPosition p;
  p.nWidth = doc.GetWidth();
  p.nHeight = doc.GetHeight();
  p.nScore = doc.GetScore();
  p.grid = doc.GetGrid();
  return p;
}

Hint FindHint(const HintPosition& position, const HintEffort& effort,
              const std::atomic<bool>* pCancel) {
  Hint hint;
  const Board root = BoardOf(position);
  Groups g;
  FindGroups(root, g);
  if (g.nMoves == 0) {
    hint.nBestFinal = FinalScore(position.nScore, root.nTiles);
    hint.verdict = root.nTiles == 0 ? ClearVerdict::CanClear : ClearVerdict::CannotClear;
    hint.bOptimal = true;
    return hint;
  }

  // Small positions are searched to the end; a Small board always is.
  const int nSmallTiles = kBoardDimensions[0].nColumns * kBoardDimensions[0].nRows;
  CExactSearch exact(root.nTiles <= nSmallTiles ? INT32_MAX : effort.nExactLimit, pCancel);
  int nBestId = -1;
  int nBestValue = INT32_MIN;
  bool bCanClear = false;
  Board child;
  for (int id = 0; id < g.nCount && !exact.Stopped(); ++id) {
    if (g.group[id].nSize < 2) continue;
    Apply(root, g, id, child);
    const CExactSearch::Result r = exact.Solve(child);
    const int v = GroupScore(g.group[id].nSize) + r.nValue;
    if (v > nBestValue) {
      nBestValue = v;
      nBestId = id;
    }
    bCanClear = bCanClear || r.bCanClear;
  }
  hint.nVisited = exact.Visited();
  if (!exact.Stopped()) {
    DescribeMove(position, g, nBestId, hint);
    hint.nBestFinal = position.nScore + nBestValue;
    hint.verdict = bCanClear ? ClearVerdict::CanClear : ClearVerdict::CannotClear;
    hint.bOptimal = true;
    return hint;
  }
  if (pCancel && pCancel->load()) {
    hint.bCancelled = true;
    return hint;
  }

  // A narrow beam first, then one as wide as the rest of the allowance pays
  // for, judged by what the narrow one cost: a beam's cost grows about as
  // its width. A small position gets a wide beam, or one so wide that it
  // drops nothing and is exact.
  Best best;
  long nUsed = 0;
  for (long nWidth = kFirstBeamWidth;;) {
    long nNodes = 0;
    bool bCancelled = false;
    const Best found = BeamSearch(root, g, position.nScore, nWidth, effort.nBeamNodes - nUsed,
                                  pCancel, nNodes, bCancelled);
    nUsed += nNodes;
    if (bCancelled) {
      hint.bCancelled = true;
      hint.nVisited += nUsed;
      return hint;
    }
    if (found.nFinal > best.nFinal) {
      best.nFinal = found.nFinal;
      best.nFirst = found.nFirst;
    }
    best.bCleared = best.bCleared || found.bCleared;
    best.bComplete = found.bComplete;
    const long nLeft = effort.nBeamNodes - nUsed;
    if (found.bComplete || nNodes == 0 || nLeft < 2 * nNodes) break;
    // Wider beams reach deeper games, so the estimate keeps some in hand.
    nWidth = std::max(2 * nWidth,
                      static_cast<long>(static_cast<double>(nWidth) * kLastBeamShare *
                                        static_cast<double>(nLeft) / static_cast<double>(nNodes)));
  }
  hint.nVisited += nUsed;
  DescribeMove(position, g, best.nFirst, hint);
  hint.nBestFinal = best.nFinal;
  hint.bOptimal = best.bComplete;
  if (best.bCleared)
    hint.verdict = ClearVerdict::CanClear;
  else if (best.bComplete || HasLoneKind(root))
    hint.verdict = ClearVerdict::CannotClear;
  return hint;
}

Hint LargestGroupMove(const HintPosition& position) {
  Hint hint;
  const Board root = BoardOf(position);
  Groups g;
  FindGroups(root, g);
  int nBest = -1;
  for (int id = 0; id < g.nCount; ++id)
    if (g.group[id].nSize >= 2 && (nBest < 0 || g.group[id].nSize > g.group[nBest].nSize))
      nBest = id;
  if (nBest >= 0) DescribeMove(position, g, nBest, hint);
  return hint;
}
