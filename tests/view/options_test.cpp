// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog on its own, and the Options, View High Scores and
// Merge commands of the view.
#include <gtest/gtest.h>

#include "app/options_dlg.h"
#include "view_test_support.h"

namespace {

using Events = std::vector<std::string>;

const std::string kRestartQuestion =
    "message box \"Changes to board size/number of tiles requires the game to restart -- are you "
    "sure?\" "
    "caption \"Karoblen Options\" yesno question";

TEST(OptionsDialog, OpensOnTheGivenSettingsWithFocusOnTheBoardSize) {
  CRecordingHost host;
  host.OnDialog(IDD_OPTIONS, [](CDialog&, CMemoryControlSite& site) {
    EXPECT_EQ(site.GetCount(IDC_BOARDSIZE), 3);
    EXPECT_EQ(site.GetItemText(IDC_BOARDSIZE, 2), "Large");
    EXPECT_EQ(site.GetItemText(IDC_TILEKINDS, 0), "2 Tiles");
    EXPECT_EQ(site.GetCurSel(IDC_BOARDSIZE), 2);
    EXPECT_EQ(site.GetCurSel(IDC_TILEKINDS), 3);
    EXPECT_EQ(site.GetFocus(), IDC_BOARDSIZE);
    site.Click(IDOK);
  });
  COptionsDlg dlg(2, 5);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(dlg.IsCancelled());
  EXPECT_EQ(dlg.GetBoardSize(), 2);
  EXPECT_EQ(dlg.GetTileKinds(), 5);
}

TEST(OptionsDialog, ReportsTheLastPickAndAnythingOddFallsBackToMediumAndThree) {
  CRecordingHost host;
  host.OnDialog(IDD_OPTIONS, [](CDialog&, CMemoryControlSite& site) {
    site.Select(IDC_BOARDSIZE, 0);
    site.Select(IDC_TILEKINDS, 0);
    site.Select(IDC_TILEKINDS, 2);
    site.PressEnter();
  });
  COptionsDlg picked(1, 3);
  picked.DoModal();
  EXPECT_EQ(picked.GetBoardSize(), 0);
  EXPECT_EQ(picked.GetTileKinds(), 4);

  const COptionsDlg odd(7, 9);
  EXPECT_EQ(odd.GetBoardSize(), 1);
  EXPECT_EQ(odd.GetTileKinds(), 3);
  // Never run, so never accepted.
  EXPECT_TRUE(odd.IsCancelled());
}

// A Medium game with a move made, so that score and undo are at stake.
class ViewOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    v.Lay(kMedium, 3,
          {"..........", "..........", "..........", "..........", "..........", "0.........",
           "0001212211"});
    v.ClickAt(0, 6);
    ASSERT_EQ(v.doc.GetScore(), 4);
    v.host.ClearEvents();
    board = Board::Board(v.doc);
  }
  void PlayerPicks(int sizeIndex, int kindsIndex, bool ok = true) {
    v.host.OnDialog(IDD_OPTIONS, [=](CDialog&, CMemoryControlSite& site) {
      if (sizeIndex >= 0) site.Select(IDC_BOARDSIZE, sizeIndex);
      if (kindsIndex >= 0) site.Select(IDC_TILEKINDS, kindsIndex);
      site.Click(ok ? IDOK : IDCANCEL);
    });
  }
  void ExpectGameUntouched() {
    EXPECT_EQ(Board::Board(v.doc), board);
    EXPECT_EQ(v.doc.GetScore(), 4);
    EXPECT_TRUE(v.doc.CanUndo());
    EXPECT_EQ(v.doc.GetBoardSize(), kMedium);
    EXPECT_EQ(v.doc.GetTileKinds(), 3);
    EXPECT_EQ(v.view.GetOriginX(), 116);
    EXPECT_EQ(v.view.GetOriginY(), 30);
  }
  ViewHarness v;
  Board::Rows board;
};

TEST_F(ViewOptions, OkWithoutChangesAsksNothing) {
  PlayerPicks(-1, -1);
  EXPECT_TRUE(v.view.OnCmdMsg(ID_GAME_OPTIONS));
  EXPECT_EQ(v.host.events, (Events{"dialog 135"}));
  ExpectGameUntouched();
}

TEST_F(ViewOptions, SizeChangedAndChangedBackAsksNothing) {
  v.host.OnDialog(IDD_OPTIONS, [](CDialog&, CMemoryControlSite& site) {
    site.Select(IDC_BOARDSIZE, 2);
    site.Select(IDC_TILEKINDS, 3);
    site.Select(IDC_BOARDSIZE, 1);
    site.Select(IDC_TILEKINDS, 1);
    site.Click(IDOK);
  });
  v.view.OnGameOptions();
  EXPECT_EQ(v.host.events, (Events{"dialog 135"}));
  ExpectGameUntouched();
}

TEST_F(ViewOptions, CancelAfterChangesChangesNothing) {
  PlayerPicks(0, 3, /*ok=*/false);
  v.view.OnGameOptions();
  EXPECT_EQ(v.host.events, (Events{"dialog 135"}));
  ExpectGameUntouched();
}

TEST_F(ViewOptions, AnsweringNoKeepsTheGameAndTheSettings) {
  PlayerPicks(2, 0);
  v.host.AnswerMessageBox(IDNO);
  v.view.OnGameOptions();
  EXPECT_EQ(v.host.events, (Events{"dialog 135", kRestartQuestion}));
  ASSERT_EQ(v.host.messageBoxes.size(), 1u);
  EXPECT_EQ(v.host.messageBoxes[0].owner, &v.view);
  ExpectGameUntouched();

  // Opening it again shows the settings that were kept.
  v.host.OnDialog(IDD_OPTIONS, [](CDialog&, CMemoryControlSite& site) {
    EXPECT_EQ(site.GetCurSel(IDC_BOARDSIZE), 1);
    EXPECT_EQ(site.GetCurSel(IDC_TILEKINDS), 1);
  });
  v.view.OnGameOptions();
}

TEST_F(ViewOptions, KindsAloneRestartInPlace) {
  PlayerPicks(-1, 3);
  v.view.OnGameOptions();
  EXPECT_EQ(v.host.events, (Events{"dialog 135", kRestartQuestion, "repaint now erase"}));
  EXPECT_EQ(v.doc.GetTileKinds(), 5);
  EXPECT_EQ(v.doc.GetBoardSize(), kMedium);
  EXPECT_EQ(v.doc.GetScore(), 0);
  EXPECT_EQ(v.doc.GetTilesLeft(), 70);
  EXPECT_FALSE(v.doc.CanUndo());
  EXPECT_EQ(v.view.GetOriginX(), 116);
  EXPECT_EQ(v.view.GetOriginY(), 30);
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 0");
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 70");
}

TEST_F(ViewOptions, NewSizeIsCentredWithoutAResize) {
  PlayerPicks(2, -1);
  v.view.OnGameOptions();
  EXPECT_EQ(v.doc.GetBoardSize(), kLarge);
  EXPECT_EQ(v.doc.GetTilesLeft(), 128);
  EXPECT_EQ(v.view.GetOriginX(), -4);
  EXPECT_EQ(v.view.GetOriginY(), 10);
  EXPECT_EQ(v.host.events.back(), "repaint now erase");

  PlayerPicks(0, 0);
  v.view.OnGameOptions();
  EXPECT_EQ(v.doc.GetBoardSize(), kSmall);
  EXPECT_EQ(v.doc.GetTileKinds(), 2);
  EXPECT_EQ(v.view.GetOriginX(), 196);
  EXPECT_EQ(v.view.GetOriginY(), 70);
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 30");
}

TEST(ViewHighScores, ViewingShowsTheCurrentTableWithoutAScore) {
  ViewHarness v;
  v.Lay(kLarge, 4, Board::Rows(8, std::string(16, '.')));
  EXPECT_TRUE(v.view.OnCmdMsg(ID_FILE_HIGHSCORES));
  EXPECT_EQ(v.host.events,
            (Events{"high scores board 2/4", "high scores submit -1", "high scores show"}));
}

TEST(ViewMerge, ChosenFileGoesToTheTables) {
  ViewHarness v;
  v.host.AnswerFileDialog("/home/player/friend.scr");
  EXPECT_TRUE(v.view.OnCmdMsg(ID_FILE_MERGESCORES));
  EXPECT_EQ(v.host.events, (Events{"file dialog \"Select High Score File To Merge\"",
                                   "high scores merge /home/player/friend.scr"}));
  ASSERT_EQ(v.host.fileDialogs.size(), 1u);
  const FileOpenRequest& request = v.host.fileDialogs[0].request;
  EXPECT_EQ(request.filter, "Highscore Files (.scr;.scores)|*.scr;*.scores|All Files|*.*||");
  EXPECT_EQ(request.defaultExt, "scr");
  EXPECT_EQ(request.flags, 0x1804u);
}

TEST(ViewMerge, CancelledDialogMergesNothing) {
  ViewHarness v;
  v.host.AnswerFileDialog(std::nullopt);
  v.view.OnMergeHighScores();
  EXPECT_EQ(v.host.events, (Events{"file dialog \"Select High Score File To Merge\""}));
}

}  // namespace
