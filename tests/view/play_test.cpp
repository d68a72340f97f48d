// The order of sounds, pauses and repaints that a player sees and hears
// while hovering, moving and undoing.
#include <gtest/gtest.h>

#include "view_test_support.h"

namespace {

using Events = std::vector<std::string>;

TEST(ViewMove, GroupOnTopOfItsColumnsFallsNowhere) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "00....", "12.2..", "211211"});
  v.ClickAt(1, 2);  // never hovered: the group is not highlighted
  EXPECT_EQ(v.host.events, (Events{"sound 140", "pause 100", "repaint now"}));
  EXPECT_EQ(Board::Board(v.doc), (Board::Rows{"......", "......", "......", "12.2..", "211211"}));
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 0");
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 9");
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
}

TEST(ViewMove, TwoColumnsSettleOneStepEach) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "12....", "00....", "212211"});
  v.ClickAt(0, 3);
  EXPECT_EQ(v.host.events,
            (Events{"sound 140", "pause 100", "repaint now", "sound 139", "pause 100",
                    "repaint now", "sound 139", "pause 100", "repaint now"}));
  EXPECT_EQ(Board::Board(v.doc), (Board::Rows{"......", "......", "......", "12....", "212211"}));
  // The 1 that landed under the pointer stands alone.
  EXPECT_EQ(v.doc.CountSelected(), 0);
}

// Remembers the board at every immediate repaint.
class CBoardSnapshotHost : public CRecordingHost {
 public:
  explicit CBoardSnapshotHost(const CKaroblenDoc& doc) : m_doc(doc) {}
  void Repaint(CWnd& wnd, RepaintMode mode) override {
    CRecordingHost::Repaint(wnd, mode);
    boards.push_back(Board::Board(m_doc));
  }
  std::vector<Board::Rows> boards;

 private:
  const CKaroblenDoc& m_doc;
};

TEST(ViewMove, FirstRepaintShowsTheGroupGoneAndTheFirstColumnSettled) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "12....", "00....", "212211"});
  CBoardSnapshotHost snapshots(v.doc);
  v.ClickAt(0, 3);
  ASSERT_EQ(snapshots.boards.size(), 3u);
  EXPECT_EQ(snapshots.boards[0], (Board::Rows{"......", "......", ".2....", "1.....", "212211"}));
  EXPECT_EQ(snapshots.boards[1], (Board::Rows{"......", "......", "......", "12....", "212211"}));
}

TEST(ViewMove, EmptiedColumnClosesUpWithTheShiftSoundAndHighlightsWhatArrives) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", ".1....", "00....", "011211"});
  v.ClickAt(0, 3);
  EXPECT_EQ(v.host.events, (Events{"sound 140", "pause 100", "repaint now", "sound 139",
                                   "pause 100", "sound 141", "repaint now"}));
  EXPECT_EQ(Board::Board(v.doc), (Board::Rows{"......", "......", "......", "1.....", "11211."}));
  EXPECT_EQ(Board::Selection(v.doc),
            (Board::Rows{"......", "......", "......", "x.....", "xx...."}));
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 1");
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 1");
  // The last paint already shows the highlight.
  EXPECT_EQ(v.host.lastPaint.Describe()[3], "blit 196,190 40x40 bitmap 145 from 160,120");
}

TEST(ViewMove, ClicksThatRemoveNothingAreSilent) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "......", "0.....", "122011"});
  v.view.OnLButtonDown(0, {5, 5});  // off the board
  v.ClickAt(3, 1);                  // empty cell
  v.ClickAt(3, 4);                  // lone tile
  EXPECT_TRUE(v.host.events.empty());
  EXPECT_FALSE(v.doc.CanUndo());
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
}

class ViewHover : public ::testing::Test {
 protected:
  void SetUp() override {
    // A pair of 0s, a lone 1 and a lone 0, a pair of 2s and a trio of 1s.
    v.Lay(kSmall, 3, {"......", "......", "......", "00...1", "122011"});
  }
  int Repaints() const { return v.host.Count("repaint now"); }
  ViewHarness v;
};

TEST_F(ViewHover, HighlightAppearsOnceAndStaysQuietWithinTheGroup) {
  v.MoveTo(0, 3);
  EXPECT_EQ(Repaints(), 1);
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
  v.MoveTo(1, 3);
  v.view.OnMouseMove(0, {v.view.GetOriginX(), v.view.GetOriginY() + 120});
  EXPECT_EQ(Repaints(), 1);
  EXPECT_EQ(v.host.events.size(), 1u);
}

TEST_F(ViewHover, MovingToAnotherGroupRehighlightsAtOnce) {
  v.MoveTo(0, 3);
  v.MoveTo(5, 4);
  EXPECT_EQ(Repaints(), 2);
  EXPECT_EQ(Board::Selection(v.doc),
            (Board::Rows{"......", "......", "......", ".....x", "....xx"}));
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 1");
}

TEST_F(ViewHover, LeavingAHighlightRepaintsOnceWherever) {
  struct Target {
    const char* name;
    CPoint point;
  };
  const Target targets[] = {
      {"lone tile", v.CellPoint(0, 4)},
      {"empty cell", v.CellPoint(2, 3)},
      {"off the board", {v.view.GetOriginX() - 1, v.view.GetOriginY()}},
  };
  for (const Target& t : targets) {
    SCOPED_TRACE(t.name);
    v.MoveTo(1, 3);
    v.host.ClearEvents();
    v.view.OnMouseMove(0, t.point);
    EXPECT_EQ(v.host.events, (Events{"repaint now"}));
    EXPECT_FALSE(v.doc.HasSelection());
    EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
  }
}

TEST_F(ViewHover, NothingHighlightedNothingRepainted) {
  v.MoveTo(0, 4);  // lone tile
  v.MoveTo(2, 3);  // empty cell
  v.view.OnMouseMove(0, {0, 0});
  v.MoveTo(3, 4);  // another lone tile
  EXPECT_TRUE(v.host.events.empty());
}

TEST(ViewUndo, TakesBackTheMoveAndLeavesTheSelectScoreAlone) {
  ViewHarness v;
  const Board::Rows before{"......", "......", ".1....", "00....", "011211"};
  v.Lay(kSmall, 3, before);
  CCmdUI undoState(ID_GAME_UNDO);
  ASSERT_TRUE(v.view.OnUpdateCmdUI(undoState));
  EXPECT_FALSE(undoState.m_bEnabled);

  v.ClickAt(0, 3);
  ASSERT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 1");
  CCmdUI afterMove(ID_GAME_UNDO);
  v.view.OnUpdateCmdUI(afterMove);
  EXPECT_TRUE(afterMove.m_bEnabled);

  v.host.ClearEvents();
  EXPECT_TRUE(v.view.OnCmdMsg(ID_GAME_UNDO));
  EXPECT_EQ(v.host.events, (Events{"sound 146", "repaint later"}));
  EXPECT_EQ(Board::Board(v.doc), before);
  EXPECT_FALSE(v.doc.HasSelection());
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 0");
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 9");
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 1");

  CCmdUI afterUndo(ID_GAME_UNDO);
  v.view.OnUpdateCmdUI(afterUndo);
  EXPECT_FALSE(afterUndo.m_bEnabled);
}

}  // namespace
