// SPDX-License-Identifier: GPL-3.0-or-later
// The application's own commands: New Game with its question, and About;
// the numbered boards: Restart Board, Play Board Number and the status bar's
// pane that names the board.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/about_dlg.h"
#include "app_fixture.h"
#include "board_snapshot.h"
#include "res/resource_ids.h"

namespace {

constexpr const char* kNewGameQuestion =
    "message box \"Are you sure you want to start a new game?\" caption \"Karoblen\" yesno "
    "question";

constexpr const char* kRestartQuestion =
    "message box \"Are you sure you want to start this board again from the beginning?\" caption "
    "\"Karoblen\" yesno question";

class NewGameTest : public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Start());
    host.ClearEvents();
    host.messageBoxes.clear();
  }

  // One real move through the view, so that there is something to lose.
  void MakeAMove() {
    const auto [column, row] = FindRemovableCell(*Doc());
    ASSERT_GE(column, 0) << "a fresh board without a single move";
    ClickCell(column, row);
    ASSERT_TRUE(Doc()->CanUndo());
    host.ClearEvents();
    host.messageBoxes.clear();
  }
};

TEST_F(NewGameTest, AsksRightAfterStartUpEvenBeforeAnyMove) {
  host.AnswerMessageBox(IDNO);
  app.RouteCommand(ID_FILE_NEW);

  ASSERT_EQ(host.messageBoxes.size(), 1u);
  EXPECT_EQ(host.events.front(), kNewGameQuestion);
  EXPECT_EQ(host.messageBoxes[0].owner, Frame());
}

TEST_F(NewGameTest, NoLeavesBoardScoreAndUndoAsTheyWere) {
  MakeAMove();
  const BoardSnapshot before = Snapshot(*Doc());

  host.AnswerMessageBox(IDNO);
  app.RouteCommand(ID_FILE_NEW);

  EXPECT_EQ(Snapshot(*Doc()), before);
  EXPECT_TRUE(app.IsCommandEnabled(ID_GAME_UNDO));
  // Nothing but the question happened.
  ASSERT_EQ(host.events.size(), 1u);
  EXPECT_EQ(host.events[0], kNewGameQuestion);
}

TEST_F(NewGameTest, YesDealsAFreshBoardOnTheSameDocument) {
  MakeAMove();
  CKaroblenDoc* const document = Doc();

  host.AnswerMessageBox(IDYES);
  app.RouteCommand(ID_FILE_NEW);

  EXPECT_EQ(Doc(), document);
  EXPECT_EQ(Doc()->GetScore(), 0);
  EXPECT_EQ(Doc()->GetTilesLeft(), 70);
  EXPECT_FALSE(Doc()->CanUndo());
  EXPECT_FALSE(app.IsCommandEnabled(ID_GAME_UNDO));
  EXPECT_EQ(host.announcements.back(), "Board " + std::to_string(Doc()->GetBoardNumber()));
  for (int c = 0; c < 10; ++c)
    for (int r = 0; r < 7; ++r) EXPECT_GE(Doc()->GetTile(c, r), 0) << c << "," << r;
}

TEST_F(NewGameTest, AsksAgainOnEveryLaterNewGame) {
  for (int i = 0; i < 3; ++i) app.RouteCommand(ID_FILE_NEW);
  EXPECT_EQ(host.Count(kNewGameQuestion), 3);
}

TEST_F(NewGameTest, AboutRunsDialog100OwnedByTheMainWindow) {
  bool sawAbout = false;
  host.OnDialog(IDD_ABOUTBOX, [&](CDialog& dialog, CMemoryControlSite& site) {
    sawAbout = dynamic_cast<CAboutDlg*>(&dialog) != nullptr;
    EXPECT_EQ(dialog.GetParent(), Frame());
    EXPECT_EQ(site.GetText(IDOK), "OK");
    site.Click(IDOK);
  });
  const BoardSnapshot before = Snapshot(*Doc());

  EXPECT_TRUE(app.RouteCommand(ID_APP_ABOUT));

  EXPECT_TRUE(sawAbout);
  ASSERT_EQ(host.dialogs.size(), 1u);
  EXPECT_EQ(host.dialogs[0].templateId, IDD_ABOUTBOX);
  EXPECT_EQ(Snapshot(*Doc()), before);
}

// The document the application builds carries the high-score tables, loaded
// from the score file of the current directory.
class ScoreFileAtStartTest : public AppFixture {
 protected:
  void SetUp() override {
    // 120 records of 22 bytes: 17-byte name, a zero byte, big-endian score.
    std::string bytes(2640, '\0');
    for (int i = 0; i < 120; ++i) bytes.replace(i * 22, 16, std::string(16, ' '));
    // Table 4 (Medium, three kinds), first row: "Ada" with 300.
    const std::string name("Ada\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 17);
    bytes.replace(4 * 10 * 22, 17, name);
    bytes.replace(4 * 10 * 22 + 18, 4, std::string("\x00\x00\x01\x2C", 4));
    std::ofstream("Karoblen.scr", std::ios::binary) << bytes;
  }
};

TEST_F(ScoreFileAtStartTest, ViewHighScoresShowsTheLoadedTable) {
  ASSERT_TRUE(Start());
  std::string firstName, firstScore;
  host.OnDialog(IDD_HIGHSCORES, [&](CDialog& dialog, CMemoryControlSite& site) {
    firstName = site.GetText(IDC_HIGHSCORE_NAME1);
    firstScore = site.GetText(IDC_HIGHSCORE_SCORE1);
    dialog.EndDialog(IDOK);
  });

  app.RouteCommand(ID_FILE_HIGHSCORES);

  EXPECT_EQ(firstName, "Ada");
  EXPECT_EQ(firstScore, "300");
}

// The board that DealBoard gives for `number` at Medium with three kinds.
BoardSnapshot Dealt(unsigned number) {
  CKaroblenDoc doc;
  doc.DealBoard(number);
  return Snapshot(doc);
}

// A game on a known board with a move made, so that there is something to
// lose and something to get back.
class NumberedBoardTest : public NewGameTest {
 protected:
  void SetUp() override {
    NewGameTest::SetUp();
    Doc()->DealBoard(1765000000);
    start = Snapshot(*Doc());
    MakeAMove();
  }
  // Game > Play Board Number: `typed` over the offered number, then OK; a
  // refusal is escaped from once its hint is read. The hint, or "" if taken.
  std::string PlayNumber(const std::string& typed) {
    std::string hint;
    host.OnDialog(IDD_BOARDNUMBER, [&](CDialog& dialog, CMemoryControlSite& site) {
      EXPECT_EQ(site.GetText(IDC_BOARDNUMBER), std::to_string(Doc()->GetBoardNumber()));
      site.ReplaceText(IDC_BOARDNUMBER, typed);
      site.Click(IDOK);
      if (dialog.IsEnding()) return;
      hint = site.GetText(IDC_BOARDNUMBER_HINT);
      // The refused text stays, selected, for the player to mend.
      EXPECT_EQ(site.GetText(IDC_BOARDNUMBER), typed);
      EXPECT_EQ(site.GetSelEnd(IDC_BOARDNUMBER), static_cast<int>(typed.size()));
      EXPECT_EQ(site.GetFocus(), IDC_BOARDNUMBER);
      site.PressEscape();
    });
    app.RouteCommand(ID_GAME_BOARDNUMBER);
    return hint;
  }
  std::string Pane() { return app.GetCommandText(ID_INDICATOR_BOARD).value_or("none"); }

  BoardSnapshot start;
};

TEST_F(NumberedBoardTest, RestartAsksThenDealsTheStartingBoardAfterAMoveAndAfterAnUndo) {
  host.AnswerMessageBox(IDNO);
  app.RouteCommand(ID_GAME_RESTART);
  EXPECT_EQ(host.events, (std::vector<std::string>{kRestartQuestion}));
  EXPECT_TRUE(Doc()->CanUndo());

  for (const bool undoFirst : {false, true}) {
    if (undoFirst) {
      MakeAMove();
      app.RouteCommand(ID_GAME_UNDO);
    }
    app.RouteCommand(ID_GAME_RESTART);  // Yes
    EXPECT_EQ(Snapshot(*Doc()), start) << (undoFirst ? "after an undo" : "after a move");
  }
  EXPECT_EQ(host.announcements.back(), "Board 1765000000");
  EXPECT_EQ(Pane(), "Board 1765000000");
}

TEST_F(NumberedBoardTest, PlayBoardNumberRefusesInPlaceWhatNamesNoBoardAndDealsTheRest) {
  const BoardSnapshot before = Snapshot(*Doc());
  EXPECT_EQ(PlayNumber(""), "Enter a board number from 0 to 2147483647.");
  EXPECT_EQ(PlayNumber("-3"), "A board number has digits only: no letters, signs or spaces.");
  EXPECT_EQ(PlayNumber("2147483648"), "The largest board number is 2147483647.");
  host.AnswerMessageBox(IDNO);
  EXPECT_EQ(PlayNumber("42"), "");
  EXPECT_EQ(Snapshot(*Doc()), before);
  EXPECT_EQ(Pane(), "Board 1765000000");

  EXPECT_EQ(PlayNumber("42"), "");
  EXPECT_EQ(Snapshot(*Doc()), Dealt(42));
  EXPECT_NE(Dealt(42), Dealt(43));
  EXPECT_EQ(Pane(), "Board 42");
  // Only the accepted numbers asked, with the New Game question.
  EXPECT_EQ(host.Count("message box \"Are you sure you want to start a new game?\" caption "
                       "\"Karoblen\" yesno question"),
            2);
}

}  // namespace
