// SPDX-License-Identifier: GPL-3.0-or-later
// Game > Hint: the search runs away from the window; its answer shows the
// best first move as the pointer would, and says whether the board can be
// cleared, on the status bar and to a screen reader.
#include <atomic>
#include <string>

#include "game/rules.h"
#include "platform/host.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "view/karoblen_view.h"

struct CKaroblenView::HintRequest {
  HintPosition position;
  std::atomic<bool> bCancel{false};
  Hint hint;
};

namespace {
bool SamePosition(const HintPosition& a, const HintPosition& b) {
  if (a.nWidth != b.nWidth || a.nHeight != b.nHeight || a.nScore != b.nScore) return false;
  for (int c = 0; c < a.nWidth; ++c)
    for (int r = 0; r < a.nHeight; ++r) {
      const std::size_t i = GridIndex(c, r);
      if (a.grid[i] != b.grid[i]) return false;
    }
  return true;
}

int VerdictText(ClearVerdict verdict) {
  switch (verdict) {
    case ClearVerdict::CanClear:
      return IDS_HINT_CAN_CLEAR;
    case ClearVerdict::CannotClear:
      return IDS_HINT_CANNOT_CLEAR;
    case ClearVerdict::Unknown:
      break;
  }
  return IDS_HINT_UNKNOWN;
}
}  // namespace

void CKaroblenView::OnGameHint() {
  if (m_bPlaying) return;
  CancelHint();
  auto request = std::make_shared<HintRequest>();
  request->position = PositionOf(*GetDocument());
  m_pHintRequest = request;
  Host().ShowStatusMessage(res::FormatString(IDS_HINT_SEARCHING, {}));
  m_bHintOnStatusBar = true;
  // The worker sees only its own copy of the position. Its answer counts
  // only if nothing has been played since: a cancelled or replaced request,
  // or a board that changed by any other way, is dropped unseen.
  Host().RunInBackground(
      [request] { request->hint = FindHint(request->position, kHintEffort, &request->bCancel); },
      [this, request] {
        if (request->bCancel.load() || request != m_pHintRequest) return;
        m_pHintRequest.reset();
        if (request->hint.bCancelled ||
            !SamePosition(request->position, PositionOf(*GetDocument())))
          return;
        ShowHint(request->hint);
      });
}

void CKaroblenView::CancelHint() {
  if (m_pHintRequest) {
    m_pHintRequest->bCancel.store(true);
    m_pHintRequest.reset();
  }
  if (m_bHintOnStatusBar) {
    m_bHintOnStatusBar = false;
    Host().ShowStatusMessage("");
  }
}

void CKaroblenView::ShowHint(const Hint& hint) {
  std::string line = res::FormatString(VerdictText(hint.verdict), {});
  if (hint.bHasMove) {
    // The cursor goes where Space plays the hinted group.
    const BoardCell cell{hint.nColumn, hint.nRow};
    const bool bFrameMoved = !m_bCursorShown || !(GetCursor() == cell);
    m_cursor = cell;
    m_bCursorShown = true;
    if (!HighlightGroupAt(cell) && bFrameMoved) RepaintNow();
    UpdateSelectScoreText();
    const std::string move = res::FormatString(
        IDS_HINT_MOVE,
        {res::FormatString(IDS_TILE_KIND_FIRST + hint.nKind, {}), std::to_string(hint.nGroupSize),
         std::to_string(hint.nColumn + 1), std::to_string(hint.nRow + 1),
         std::to_string(GroupScore(hint.nGroupSize))});
    line = res::FormatString(IDS_HINT_LINE, {move, line});
  }
  // The highlight and the cursor show the move; the status bar, narrow on a
  // Small board, says only whether the board can be cleared.
  Host().ShowStatusMessage(res::FormatString(VerdictText(hint.verdict), {}));
  m_bHintOnStatusBar = true;
  Host().Announce(line);
}
