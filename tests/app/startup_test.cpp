// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the application and the main window it builds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "res/resource_ids.h"

namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, FirstGameStartsWithoutAQuestionAndTheWindowIsShown) {
  ASSERT_TRUE(Start());

  EXPECT_TRUE(host.messageBoxes.empty());
  EXPECT_TRUE(windows.shown);
  ASSERT_NE(Doc(), nullptr);
  EXPECT_EQ(app.m_pMainWnd, Frame());
  // Medium board with three kinds, fully dealt, nothing scored yet.
  EXPECT_EQ(Doc()->GetWidth(), 10);
  EXPECT_EQ(Doc()->GetHeight(), 7);
  EXPECT_EQ(Doc()->GetTileKinds(), 3);
  EXPECT_EQ(Doc()->GetTilesLeft(), 70);
  EXPECT_EQ(Doc()->GetScore(), 0);
  EXPECT_FALSE(app.IsCommandEnabled(ID_GAME_UNDO));
}

TEST_F(StartupTest, WindowIsCreatedBeforeItIsShownAndTheViewIsLaidOutInBetween) {
  ASSERT_TRUE(Start());
  const std::vector<std::string> expected{"create 128", "size 632x353", "show"};
  EXPECT_EQ(windows.events, expected);
  // Laid out for a Medium board in a 632 x 353 client area.
  EXPECT_EQ(View()->GetOriginX(), 116);
  EXPECT_EQ(View()->GetOriginY(), 30);
}

TEST_F(StartupTest, MainWindowBuildsItsBarsInOrder) {
  ASSERT_TRUE(Start());
  const std::vector<std::string> bars(windows.frameSite.events.begin(),
                                      windows.frameSite.events.begin() + 8);
  const std::vector<std::string> expected{
      "create toolbar style 0x2800 id 59392",
      "load toolbar 128",
      "create status bar style 0x8200 id 59393",
      "indicators 0 59137 59138 59139 59142",
      "toolbar style 0x2834",
      "toolbar docking 0xf000",
      "frame docking 0xf000",
      "dock toolbar",
  };
  EXPECT_EQ(bars, expected);
}

TEST_F(StartupTest, CaptionNeverGetsADocumentNameAndTheWindowHasAMinimumSize) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(windows.createStyle & FWS_ADDTOTITLE, 0u);
  EXPECT_EQ(windows.minMaxInfo.ptMinTrackSize, (CPoint{640, 440}));
}

TEST_F(StartupTest, EveryLayoutRepaintsTheWholeClientAreaFirst) {
  ASSERT_TRUE(Start());
  windows.frameSite.events.clear();
  Frame()->RecalcLayout();
  const std::vector<std::string> expected{"invalidate erase", "layout"};
  EXPECT_EQ(windows.frameSite.events, expected);
}

// Each way the bars can fail to come up aborts the window and the start.
class FailedBarTest : public AppFixture, public ::testing::WithParamInterface<int> {};

TEST_P(FailedBarTest, StartFailsWithTheFrameworksMessage) {
  CMemoryFrameSite& site = windows.frameSite;
  bool* const flags[] = {&site.failCreateToolBar, &site.failLoadToolBar, &site.failCreateStatusBar,
                         &site.failSetIndicators};
  *flags[GetParam()] = true;

  EXPECT_FALSE(Start());
  EXPECT_FALSE(windows.shown);
  ASSERT_EQ(host.messageBoxes.size(), 1u);
  EXPECT_EQ(host.messageBoxes[0].text, "Failed to create empty document.");
}

INSTANTIATE_TEST_SUITE_P(EachBarStep, FailedBarTest, ::testing::Range(0, 4));

}  // namespace
