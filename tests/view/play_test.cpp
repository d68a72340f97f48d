// SPDX-License-Identifier: GPL-3.0-or-later
// The order of sounds, pauses and repaints that a player sees and hears
// while hovering, moving and undoing, with the mouse or the keyboard.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "view/game_over_dlg.h"
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
  EXPECT_EQ(v.host.announcements, (Events{"Score: 1"}));
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
  EXPECT_TRUE(v.host.announcements.empty());
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
    bool leavesTheView = false;
  };
  const Target targets[] = {
      {"lone tile", v.CellPoint(0, 4)},
      {"empty cell", v.CellPoint(2, 3)},
      {"off the board", {v.view.GetOriginX() - 1, v.view.GetOriginY()}},
      {"out of the view", {}, true},
  };
  for (const Target& t : targets) {
    SCOPED_TRACE(t.name);
    v.MoveTo(1, 3);
    v.host.ClearEvents();
    if (t.leavesTheView)
      v.view.OnMouseLeave();
    else
      v.view.OnMouseMove(0, t.point);
    EXPECT_EQ(v.host.events, (Events{"repaint now"}));
    EXPECT_FALSE(v.doc.HasSelection());
    EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
  }
}

TEST_F(ViewHover, ThePointerLeavingKeepsTheKeyboardCursorsHighlight) {
  v.CursorTo(1, 3);
  ASSERT_TRUE(v.doc.IsSelected(0, 3));
  const std::string selectScore = v.Text(IDC_SELECTSCORE);
  v.host.ClearEvents();
  v.view.OnMouseLeave();
  EXPECT_TRUE(v.host.events.empty());
  EXPECT_TRUE(v.doc.IsSelected(0, 3));
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), selectScore);
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
  // Heard as a move's score is: the move's own news, then the undo's.
  EXPECT_EQ(v.host.announcements, (Events{"Score: 1", "Score: 0"}));

  CCmdUI afterUndo(ID_GAME_UNDO);
  v.view.OnUpdateCmdUI(afterUndo);
  EXPECT_FALSE(afterUndo.m_bEnabled);
}

class ViewKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    // As for the hover: a pair of 0s, lone tiles, a pair of 2s, a trio of 1s.
    v.Lay(kSmall, 3, {"......", "......", "......", "00...1", "122011"});
  }
  CPoint Cursor() const { return {v.view.GetCursor().nColumn, v.view.GetCursor().nRow}; }
  ViewHarness v;
};

TEST_F(ViewKeys, FirstArrowShowsTheCursorBottomLeftThenEachStepPaintsOnceAndEdgesStopIt) {
  struct Step {
    unsigned key;
    int times;
    CPoint cursor;
    int repaints;
  };
  const Step steps[] = {
      {VK_UP, 1, {0, 4}, 1},     // only shown, not moved
      {VK_LEFT, 1, {0, 4}, 0},   // left edge
      {VK_DOWN, 1, {0, 4}, 0},   // bottom edge
      {VK_UP, 6, {0, 0}, 4},     // four steps up, then the top edge
      {VK_RIGHT, 7, {5, 0}, 5},  // five steps right, then the right edge
      {VK_DOWN, 9, {5, 4}, 4},
  };
  EXPECT_FALSE(v.view.IsCursorShown());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    v.host.ClearEvents();
    for (int i = 0; i < step.times; ++i) v.Key(step.key);
    EXPECT_TRUE(v.view.IsCursorShown());
    EXPECT_EQ(Cursor(), step.cursor);
    EXPECT_EQ(v.host.events, Events(step.repaints, "repaint now"));
  }
}

TEST_F(ViewKeys, HighlightsTheCursorsGroupExactlyAsTheHoverWould) {
  ViewHarness hover;
  hover.Lay(kSmall, 3, Board::Board(v.doc));
  const CPoint path[] = {{0, 4}, {0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 4}, {5, 4}, {5, 3}, {5, 2}};
  for (const CPoint cell : path) {
    SCOPED_TRACE(std::to_string(cell.x) + "," + std::to_string(cell.y));
    v.CursorTo(cell.x, cell.y);
    hover.MoveTo(cell.x, cell.y);
    EXPECT_EQ(Board::Selection(v.doc), Board::Selection(hover.doc));
    EXPECT_EQ(v.Text(IDC_SELECTSCORE), hover.Text(IDC_SELECTSCORE));
  }
}

TEST_F(ViewKeys, FocusFrameIsDrawnOverTheCursorsPictureAndMovesWithinAGroup) {
  v.CursorTo(0, 3);
  v.host.ClearEvents();
  v.Key(VK_RIGHT);  // within the pair of 0s: the highlight stays
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));
  EXPECT_EQ(Board::Selection(v.doc),
            (Board::Rows{"......", "......", "......", "xx....", "......"}));
  const auto paint = v.host.lastPaint.Describe();
  ASSERT_EQ(paint.size(), 31u);
  // The pressed-in picture of the cell as ever, then the frame over it.
  EXPECT_EQ(paint[8], "blit 236,190 40x40 bitmap 145 from 320,40");
  EXPECT_EQ(paint.back(), "focus 238,192 36x36");
}

TEST_F(ViewKeys, PointerTakesOverAndTheNextArrowBringsTheCursorBackWhereItWas) {
  v.CursorTo(0, 3);
  v.host.ClearEvents();
  v.MoveTo(5, 4);  // onto the trio: one paint moves the highlight and drops the frame
  EXPECT_FALSE(v.view.IsCursorShown());
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));
  EXPECT_EQ(v.host.lastPaint.Describe().size(), 30u);

  v.host.ClearEvents();
  v.Key(VK_LEFT);  // shown again where it was, not moved
  EXPECT_EQ(Cursor(), (CPoint{0, 3}));
  EXPECT_EQ(v.Text(IDC_SELECTSCORE), "Select Score: 0");
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));

  // The pointer's position sent again without a move leaves the cursor be.
  v.host.ClearEvents();
  v.MoveTo(5, 4);
  EXPECT_TRUE(v.view.IsCursorShown());
  EXPECT_TRUE(v.host.events.empty());

  // With nothing highlighted either way, the frame still needs its paint.
  v.Key(VK_DOWN);  // the lone 1
  v.host.ClearEvents();
  v.MoveTo(2, 3);  // an empty cell
  EXPECT_FALSE(v.view.IsCursorShown());
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));
}

TEST_F(ViewKeys, SpaceOnAHiddenCursorOnlyShowsItAndAHeldKeyPlaysOnce) {
  v.Lay(kSmall, 3, {"......", "......", "......", "0.....", "011211"});
  v.Key(VK_SPACE);
  EXPECT_TRUE(v.view.IsCursorShown());
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));  // the pair of 0s lights up
  EXPECT_EQ(v.doc.GetTilesLeft(), 7);

  v.Key(VK_RETURN);
  EXPECT_EQ(v.doc.GetTilesLeft(), 5);
  v.host.ClearEvents();
  v.Key(VK_RETURN, KF_REPEAT);  // the 1s arrived under the cursor
  v.Key(VK_SPACE, KF_REPEAT);
  EXPECT_TRUE(v.host.events.empty());
  EXPECT_EQ(v.doc.GetTilesLeft(), 5);
}

TEST_F(ViewKeys, ASmallerBoardPullsTheCursorInToItsEdge) {
  v.Lay(kLarge, 3, Board::Rows(8, std::string(16, '.')));
  v.CursorTo(15, 7);
  v.Lay(kSmall, 3, Board::Rows(5, std::string(6, '.')));
  EXPECT_EQ(Cursor(), (CPoint{5, 4}));
  v.Key(VK_UP);
  EXPECT_EQ(Cursor(), (CPoint{5, 3}));
}

// Everything a player can notice of one play of a cell.
struct PlayRecord {
  Events events;
  Board::Rows board;
  std::string score, tilesLeft, selectScore;
  bool canUndo = false;
  friend bool operator==(const PlayRecord&, const PlayRecord&) = default;
  friend void PrintTo(const PlayRecord& r, std::ostream* os) {
    for (const auto& e : r.events) *os << e << "; ";
    for (const auto& row : r.board) *os << row << " ";
    *os << r.score << ", " << r.tilesLeft << ", " << r.selectScore << ", undo " << r.canUndo;
  }
};

TEST(ViewKeysPlay, SpaceAndReturnPlayTheCursorsCellExactlyAsAClickThere) {
  struct Case {
    const char* name;
    Board::Rows layout;
    int column, row;
  };
  const Case cases[] = {
      {"two columns settle", {"......", "......", "12....", "00....", "212211"}, 0, 3},
      {"a column closes", {"......", "......", ".1....", "00....", "011211"}, 0, 3},
      {"a lone tile", {"......", "......", "......", "0.....", "122011"}, 3, 4},
      {"the last move", {"......", "......", "......", "......", "00...."}, 1, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<PlayRecord> records;
    for (unsigned key : {0u, VK_SPACE, VK_RETURN}) {
      ViewHarness v;
      v.Lay(kSmall, 3, c.layout);
      if (key != 0) v.CursorTo(c.column, c.row);
      // Both start from a painted board with nothing highlighted.
      v.doc.ClearSelection();
      v.view.RepaintNow();
      v.host.ClearEvents();
      if (key == 0)
        v.ClickAt(c.column, c.row);
      else
        v.Key(key);
      records.push_back({v.host.events, Board::Board(v.doc), v.Text(IDC_SCORE),
                         v.Text(IDC_TILESLEFT), v.Text(IDC_SELECTSCORE), v.doc.CanUndo()});
    }
    EXPECT_EQ(records[1], records[0]);
    EXPECT_EQ(records[2], records[0]);
  }
}

// Pauses like the recording host, and lets a test act in the middle of one.
class CActingHost : public CRecordingHost {
 public:
  void Sleep(int milliseconds) override {
    CRecordingHost::Sleep(milliseconds);
    if (duringPause) duringPause();
  }
  std::function<void()> duringPause;
};

TEST(ViewReentry, InputThatSlipsInDuringAMoveOrTheTallyIsTurnedAway) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "......", "......", "00...."});
  CActingHost host;
  int interruptions = 0;
  const auto interrupt = [&v, &interruptions] {
    if (++interruptions > 2) return;  // once in the pause, once in the tally
    v.ClickAt(0, 4);
    v.Key(VK_SPACE);
    v.Key(VK_UP);
    v.MoveTo(1, 4);
  };
  host.duringPause = interrupt;
  host.OnDialog(IDD_GAMEOVER, [&](CDialog&, CMemoryControlSite&) { interrupt(); });
  v.ClickAt(1, 4);

  Events seen;
  for (const auto& e : host.events)
    if (e != "sound 144") seen.push_back(e);
  EXPECT_EQ(seen,
            (Events{"sound 140", "pause 100", "repaint now", "dialog 142", "repaint now erase"}));
  EXPECT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(v.host.Count("high scores submit 1000"), 1);
  EXPECT_EQ(v.host.Count("high scores show"), 1);
  EXPECT_FALSE(v.view.IsCursorShown());
}

// Game > Hint: the search's answer arrives later, through the host, and
// must find the board as it was asked about.
const Board::Rows kOneClearing = {"......", "......", ".0.2..", "2020..", "1121.."};
const char* const kOneClearingHint =
    "Hint: Yellow group of 2 at column 3, row 5, worth 0 points. This board can be cleared.";

TEST(ViewHint, ShowsTheBestMoveUnderTheCursorAndChangesNothingElse) {
  ViewHarness v;
  v.Lay(kSmall, 3, kOneClearing);
  v.MoveTo(0, 4);  // the pointer's highlight gives way to the hint's
  v.host.ClearEvents();
  ASSERT_TRUE(v.view.OnCmdMsg(ID_GAME_HINT));
  EXPECT_TRUE(v.view.IsLookingForHint());
  EXPECT_EQ(v.host.statusMessages, (Events{"Looking for the best move..."}));
  v.host.RunBackgroundWork();
  EXPECT_FALSE(v.view.IsLookingForHint());
  EXPECT_EQ(v.host.statusMessages.back(), "This board can be cleared.");
  EXPECT_EQ(v.host.announcements, (Events{kOneClearingHint}));
  EXPECT_TRUE(v.view.IsCursorShown());
  EXPECT_EQ(v.view.GetCursor(), (BoardCell{2, 4}));
  EXPECT_EQ(Board::Selection(v.doc),
            (Board::Rows{"......", "......", "......", "..x...", "..x..."}));
  EXPECT_EQ(v.host.events, (Events{"repaint now"}));
  EXPECT_EQ(Board::Board(v.doc), kOneClearing);
  EXPECT_FALSE(v.doc.CanUndo());
  EXPECT_EQ(v.doc.GetScore(), 0);
  // Space plays the hint, and the move takes its words off the status bar.
  v.Key(VK_SPACE);
  EXPECT_EQ(Board::Board(v.doc), (Board::Rows{"......", "......", ".02...", "200...", "111..."}));
  EXPECT_EQ(v.host.statusMessages.back(), "");
}

TEST(ViewHint, AMoveUndoOrNewGameDuringTheSearchDropsItsAnswer) {
  const std::function<void(ViewHarness&)> interruptions[] = {
      [](ViewHarness& v) { v.ClickAt(0, 4); },
      [](ViewHarness& v) {
        v.view.OnCmdMsg(ID_GAME_UNDO);
        v.host.ClearEvents();
      },
      [](ViewHarness& v) { v.view.OnInitialUpdate(); },
  };
  for (const auto& interrupt : interruptions) {
    ViewHarness v;
    v.Lay(kSmall, 3, kOneClearing);
    if (&interrupt == &interruptions[1]) v.ClickAt(0, 4);  // something to undo
    v.view.OnCmdMsg(ID_GAME_HINT);
    interrupt(v);
    EXPECT_FALSE(v.view.IsLookingForHint());
    const Board::Rows board = Board::Board(v.doc);
    const Board::Rows selection = Board::Selection(v.doc);
    const std::size_t paints = v.host.events.size();
    v.host.RunBackgroundWork();
    EXPECT_TRUE(v.host.announcements.empty() || v.host.announcements.back().rfind("Hint:", 0) != 0);
    EXPECT_EQ(v.host.statusMessages.back(), "");
    EXPECT_EQ(Board::Board(v.doc), board);
    EXPECT_EQ(Board::Selection(v.doc), selection);
    EXPECT_EQ(v.host.events.size(), paints);
  }
}

TEST(ViewHint, ASecondRequestReplacesTheFirst) {
  ViewHarness v;
  v.Lay(kSmall, 3, kOneClearing);
  v.view.OnCmdMsg(ID_GAME_HINT);
  v.view.OnCmdMsg(ID_GAME_HINT);
  ASSERT_EQ(v.host.PendingBackgroundWork(), 2);
  v.host.RunBackgroundWork();
  EXPECT_EQ(v.host.announcements, (Events{kOneClearingHint}));
}

// The template starts a game through the framework's document; the board
// behind it must deal, and the document must come out unmodified.
TEST(BoardDocument, NewDocumentThroughTheFrameworkDealsAndClearsTheModifiedFlag) {
  CBoardDocument doc;
  CDocument& framework = doc;
  doc.SetModifiedFlag(true);
  EXPECT_TRUE(framework.OnNewDocument());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTilesLeft(), doc.GetWidth() * doc.GetHeight());
  EXPECT_GE(doc.GetTile(0, 0), 0);
}

}  // namespace
