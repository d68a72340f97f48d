// SPDX-License-Identifier: GPL-3.0-or-later
// The application's own commands: New Game with its question, and About;
// the numbered boards: Restart Board, Play Board Number, the start on a
// given board and the status bar's pane that names the board.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/about_dlg.h"
#include "app_fixture.h"
#include "board_snapshot.h"
#include "res/resource_ids.h"
#include "tests/game/karoblen_doc_test_access.h"

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

// A game on a known board with a move made, so that there is something to
// lose and something to get back.
class NumberedBoardTest : public NewGameTest {
 protected:
  static constexpr unsigned kBoard = 1765000000;
  void SetUp() override {
    NewGameTest::SetUp();
    Doc()->DealBoard(kBoard);
    start = Snapshot(*Doc());
    MakeAMove();
  }
  // The board that DealBoard gives for `number` at Medium with three kinds.
  static BoardSnapshot Dealt(unsigned number) {
    CKaroblenDoc doc;
    doc.DealBoard(number);
    return Snapshot(doc);
  }
  std::string Pane() { return app.GetCommandText(ID_INDICATOR_BOARD).value_or("no pane text"); }

  BoardSnapshot start;
};

TEST_F(NumberedBoardTest, RestartAsksItsOwnQuestionAndNoKeepsTheGame) {
  const BoardSnapshot before = Snapshot(*Doc());
  host.AnswerMessageBox(IDNO);
  EXPECT_TRUE(app.RouteCommand(ID_GAME_RESTART));
  ASSERT_EQ(host.events, (std::vector<std::string>{kRestartQuestion}));
  EXPECT_EQ(host.messageBoxes[0].owner, View());
  EXPECT_EQ(Snapshot(*Doc()), before);
  EXPECT_TRUE(app.IsCommandEnabled(ID_GAME_UNDO));
}

TEST_F(NumberedBoardTest, RestartDealsTheStartingBoardAgainAfterMovesAndAfterAnUndo) {
  for (const bool undoFirst : {false, true}) {
    if (undoFirst) {
      MakeAMove();
      app.RouteCommand(ID_GAME_UNDO);
    }
    host.ClearEvents();
    host.AnswerMessageBox(IDYES);
    app.RouteCommand(ID_GAME_RESTART);
    EXPECT_EQ(Snapshot(*Doc()), start) << (undoFirst ? "after an undo" : "after a move");
    EXPECT_EQ(Doc()->GetBoardNumber(), kBoard);
    EXPECT_FALSE(app.IsCommandEnabled(ID_GAME_UNDO));
    EXPECT_EQ(host.Count("repaint now erase"), 1);
    EXPECT_EQ(host.announcements.back(), "Board 1765000000");
    EXPECT_EQ(Pane(), "Board 1765000000");
  }
  // A restarted board's game is tallied like any other.
  EXPECT_EQ(Doc()->GetScore(), 0);
}

TEST_F(NumberedBoardTest, PlayBoardNumberOpensOnTheCurrentNumberAndDealsTheOneTyped) {
  std::string offered;
  bool selected = false;
  host.OnDialog(IDD_BOARDNUMBER, [&](CDialog& dialog, CMemoryControlSite& site) {
    EXPECT_EQ(dialog.GetParent(), nullptr);
    offered = site.GetText(IDC_BOARDNUMBER);
    selected = site.GetFocus() == IDC_BOARDNUMBER && site.GetSelStart(IDC_BOARDNUMBER) == 0 &&
               site.GetSelEnd(IDC_BOARDNUMBER) == static_cast<int>(offered.size());
    site.TypeText(IDC_BOARDNUMBER, "42");
    site.PressEnter();
  });
  host.AnswerMessageBox(IDYES);

  EXPECT_TRUE(app.RouteCommand(ID_GAME_BOARDNUMBER));

  EXPECT_EQ(offered, "1765000000");
  EXPECT_TRUE(selected);
  ASSERT_EQ(host.messageBoxes.size(), 1u);
  EXPECT_EQ(host.messageBoxes[0].text, "Are you sure you want to start a new game?");
  EXPECT_EQ(Snapshot(*Doc()), Dealt(42));
  EXPECT_EQ(Pane(), "Board 42");
  EXPECT_NE(Dealt(42), Dealt(43));
}

TEST_F(NumberedBoardTest, PlayBoardNumberRefusesWhatNamesNoBoardInPlace) {
  const struct {
    const char* typed;
    const char* hint;
  } cases[] = {
      {"", "Enter a board number from 0 to 2147483647."},
      {"seven", "A board number has digits only: no letters, signs or spaces."},
      {"12b", "A board number has digits only: no letters, signs or spaces."},
      {"-3", "A board number has digits only: no letters, signs or spaces."},
      {"+3", "A board number has digits only: no letters, signs or spaces."},
      {"2147483648", "The largest board number is 2147483647."},
      {"123456789012", "The largest board number is 2147483647."},
  };
  for (const auto& tc : cases) {
    host.OnDialog(IDD_BOARDNUMBER, [&](CDialog& dialog, CMemoryControlSite& site) {
      site.ReplaceText(IDC_BOARDNUMBER, tc.typed);
      site.Click(IDOK);
      EXPECT_FALSE(dialog.IsEnding()) << tc.typed;
      EXPECT_EQ(site.GetText(IDC_BOARDNUMBER_HINT), tc.hint) << tc.typed;
      // The refused text stays, selected, for the player to mend.
      EXPECT_EQ(site.GetText(IDC_BOARDNUMBER), tc.typed);
      EXPECT_EQ(site.GetFocus(), IDC_BOARDNUMBER);
      EXPECT_EQ(site.GetSelEnd(IDC_BOARDNUMBER), static_cast<int>(std::string(tc.typed).size()));
      site.PressEscape();
    });
    const BoardSnapshot before = Snapshot(*Doc());
    app.RouteCommand(ID_GAME_BOARDNUMBER);
    EXPECT_EQ(Snapshot(*Doc()), before) << tc.typed;
  }
  EXPECT_TRUE(host.messageBoxes.empty());

  // Mended after a refusal, the number is taken; the largest one too.
  host.OnDialog(IDD_BOARDNUMBER, [](CDialog&, CMemoryControlSite& site) {
    site.ReplaceText(IDC_BOARDNUMBER, "21474836470");
    site.Click(IDOK);
    site.ReplaceText(IDC_BOARDNUMBER, "2147483647");
    site.Click(IDOK);
  });
  app.RouteCommand(ID_GAME_BOARDNUMBER);
  EXPECT_EQ(Doc()->GetBoardNumber(), 2147483647u);
  EXPECT_EQ(Snapshot(*Doc()), Dealt(2147483647));
}

TEST_F(NumberedBoardTest, PlayBoardNumberCancelledOrAnsweredNoKeepsTheGame) {
  const BoardSnapshot before = Snapshot(*Doc());
  host.announcements.clear();
  host.OnDialog(IDD_BOARDNUMBER, [](CDialog&, CMemoryControlSite& site) {
    site.ReplaceText(IDC_BOARDNUMBER, "42");
    site.Click(IDCANCEL);
  });
  app.RouteCommand(ID_GAME_BOARDNUMBER);
  EXPECT_TRUE(host.messageBoxes.empty());

  host.OnDialog(IDD_BOARDNUMBER, [](CDialog&, CMemoryControlSite& site) {
    site.ReplaceText(IDC_BOARDNUMBER, "42");
    site.Click(IDOK);
  });
  host.AnswerMessageBox(IDNO);
  app.RouteCommand(ID_GAME_BOARDNUMBER);
  EXPECT_EQ(host.messageBoxes.size(), 1u);

  EXPECT_EQ(Snapshot(*Doc()), before);
  EXPECT_EQ(Pane(), "Board 1765000000");
  EXPECT_TRUE(host.announcements.empty());
}

// --board N: the same N always starts on the same board, N + 1 on another;
// the clock's board never shows, and the first game still asks nothing.
class StartOnBoardTest : public ::testing::Test {
 protected:
  BoardSnapshot StartedOn(unsigned number) {
    CScratchDirectory directory;
    CRecordingHost recording;
    CHeadlessWindowFactory headless;
    CKaroblenApp started;
    started.StartOnBoard(number);
    EXPECT_TRUE(started.InitInstance());
    EXPECT_TRUE(recording.messageBoxes.empty());
    const auto* doc = static_cast<CBoardDocument*>(started.GetDocTemplate()->GetDocument());
    EXPECT_EQ(doc->GetBoardNumber(), number);
    EXPECT_EQ(started.GetCommandText(ID_INDICATOR_BOARD), "Board " + std::to_string(number));
    return Snapshot(*doc);
  }
};

TEST_F(StartOnBoardTest, SameNumberSameBoardNextNumberAnother) {
  const BoardSnapshot first = StartedOn(1765000000);
  EXPECT_EQ(StartedOn(1765000000), first);
  EXPECT_NE(StartedOn(1765000001), first);
  EXPECT_EQ(first.width, 10);
  EXPECT_EQ(first.height, 7);
  EXPECT_EQ(first.tilesLeft, 70);
}

TEST_F(StartOnBoardTest, CommandLineNumbersAreReadAsTheDialogReadsThem) {
  unsigned number = 0;
  EXPECT_EQ(CKaroblenApp::ReadBoardNumber("2147483647", number), "");
  EXPECT_EQ(number, 2147483647u);
  EXPECT_EQ(CKaroblenApp::ReadBoardNumber("0", number), "");
  EXPECT_EQ(number, 0u);
  number = 9;
  EXPECT_EQ(CKaroblenApp::ReadBoardNumber("", number),
            "Enter a board number from 0 to 2147483647.");
  EXPECT_EQ(CKaroblenApp::ReadBoardNumber("4e9", number),
            "A board number has digits only: no letters, signs or spaces.");
  EXPECT_EQ(CKaroblenApp::ReadBoardNumber("4000000000", number),
            "The largest board number is 2147483647.");
  EXPECT_EQ(number, 9u);
}

}  // namespace
