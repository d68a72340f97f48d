// SPDX-License-Identifier: GPL-3.0-or-later
// The game-over tally tick by tick, and the flow from the last click to the
// next game.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "view/game_over_dlg.h"
#include "view_test_support.h"

namespace {

using Events = std::vector<std::string>;

constexpr int kValues[] = {IDC_GAMESCORE_VALUE, IDC_TILESLEFT_VALUE, IDC_BONUS_VALUE,
                           IDC_FINALSCORE_VALUE};
constexpr int kLabels[] = {IDC_GAMESCORE_LABEL, IDC_TILESLEFT_LABEL, IDC_BONUS_LABEL,
                           IDC_FINALSCORE_LABEL};

// What the dialog showed after one tick.
struct Frame {
  std::string values;             // "game tiles bonus final"
  int rowsShown = 0;              // leading rows with value and label visible
  bool sound = false;             // a tally sound at this tick
  std::vector<std::string> news;  // announced at this tick
};

struct Timeline {
  std::vector<Frame> frames;  // frames[k - 1] for tick k
  int closedAt = 0;           // the tick after which the dialog was ending
  int finalScore = 0;
  int timerPeriod = 0;
};

Frame Capture(const CMemoryControlSite& site) {
  Frame f;
  for (int id : kValues) {
    if (!f.values.empty()) f.values += ' ';
    f.values += site.GetText(id);
  }
  for (int row = 0; row < 4; ++row) {
    const bool value = site.IsVisible(kValues[row]);
    if (value != site.IsVisible(kLabels[row])) ADD_FAILURE() << "row " << row << " half shown";
    if (value && f.rowsShown == row) f.rowsShown = row + 1;
    if (value && f.rowsShown != row + 1) ADD_FAILURE() << "row " << row << " shown out of order";
  }
  return f;
}

// Runs the tally, one timer period at a time, until it ends by itself or is
// clicked right after tick `clickAfterTick`.
Timeline RunTally(int score, int tilesLeft, int clickAfterTick = 0) {
  CRecordingHost host;
  Timeline t;
  host.OnDialog(IDD_GAMEOVER, [&](CDialog& dialog, CMemoryControlSite& site) {
    const auto& timers = site.ActiveTimers();
    if (auto it = timers.find(CGameOverDlg::kTimerId); it != timers.end())
      t.timerPeriod = it->second;
    for (int tick = 1; tick <= 200 && !dialog.IsEnding(); ++tick) {
      const size_t soundsBefore = host.sounds.size();
      const size_t newsBefore = host.announcements.size();
      site.FireTimers();
      Frame f = Capture(site);
      f.sound = host.sounds.size() > soundsBefore;
      f.news.assign(host.announcements.begin() + static_cast<std::ptrdiff_t>(newsBefore),
                    host.announcements.end());
      t.frames.push_back(f);
      if (tick == clickAfterTick) dialog.OnLButtonDown(0, {10, 10});
      if (dialog.IsEnding()) t.closedAt = tick;
    }
  });
  CGameOverDlg dlg(score, tilesLeft);
  dlg.DoModal();
  t.finalScore = dlg.GetFinalScore();
  for (int id : host.sounds) EXPECT_EQ(id, 144);
  return t;
}

std::vector<int> SoundTicks(const Timeline& t) {
  std::vector<int> ticks;
  for (size_t i = 0; i < t.frames.size(); ++i)
    if (t.frames[i].sound) ticks.push_back(static_cast<int>(i) + 1);
  return ticks;
}

// Final-score value at each tick that played a sound.
std::map<int, std::string> StepValues(const Timeline& t) {
  std::map<int, std::string> steps;
  for (int tick : SoundTicks(t)) steps[tick] = t.frames[tick - 1].values;
  return steps;
}

TEST(GameOverTally, RowsAppearOneByOneBeforeAnyCounting) {
  const Timeline t = RunTally(50, 3);
  EXPECT_EQ(t.timerPeriod, 110);
  ASSERT_GE(t.frames.size(), 15u);
  EXPECT_EQ(t.frames[0].values, "50 3 0 0");
  const int rowsByTick[] = {0, 0, 1, 2, 3, 4};
  for (int tick = 1; tick <= 6; ++tick)
    EXPECT_EQ(t.frames[tick - 1].rowsShown, rowsByTick[tick - 1]) << tick;
  for (int tick = 6; tick <= 14; ++tick) {
    EXPECT_EQ(t.frames[tick - 1].values, "50 3 0 0") << tick;
    EXPECT_FALSE(t.frames[tick - 1].sound) << tick;
  }
}

// A screen reader hears each row once, as it appears, and nothing of the
// counting; the final result is the caller's news.
TEST(GameOverTally, EachRowIsAnnouncedOnceAsItAppears) {
  for (const auto& [score, tiles, bonusRow] :
       {std::tuple{50, 3, "Bonus: 0"}, std::tuple{120, 0, "Bonus: 1000"}}) {
    const Timeline t = RunTally(score, tiles);
    std::map<int, std::vector<std::string>> news;
    for (size_t i = 0; i < t.frames.size(); ++i)
      if (!t.frames[i].news.empty()) news[static_cast<int>(i) + 1] = t.frames[i].news;
    EXPECT_EQ(news, (std::map<int, std::vector<std::string>>{
                        {3, {"Game Score: " + std::to_string(score)}},
                        {4, {"Tiles Left: " + std::to_string(tiles)}},
                        {5, {bonusRow}}}));
  }
  // Cut short before any row shows: nothing was heard.
  for (const Frame& f : RunTally(50, 3, 2).frames) EXPECT_TRUE(f.news.empty());
}

TEST(GameOverTally, ScoreWithTilesLeft) {
  const Timeline t = RunTally(50, 3);
  EXPECT_EQ(StepValues(t),
            (std::map<int, std::string>{
                {15, "0 3 0 50"}, {20, "0 2 0 49"}, {21, "0 1 0 48"}, {22, "0 0 0 47"}}));
  EXPECT_EQ(t.closedAt, 37);
  EXPECT_EQ(t.finalScore, 47);
}

TEST(GameOverTally, ClearedBoardCountsTheBonusInHundreds) {
  const Timeline t = RunTally(120, 0);
  const auto steps = StepValues(t);
  ASSERT_EQ(steps.size(), 11u);
  EXPECT_EQ(steps.at(15), "0 0 1000 120");
  EXPECT_EQ(steps.at(20), "0 0 900 220");
  EXPECT_EQ(steps.at(29), "0 0 0 1120");
  EXPECT_EQ(SoundTicks(t), (std::vector<int>{15, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));
  EXPECT_EQ(t.closedAt, 44);
  EXPECT_EQ(t.finalScore, 1120);
}

TEST(GameOverTally, NothingScoredStartsCountingTilesAtOnceAndGoesNegative) {
  const Timeline t = RunTally(0, 2);
  EXPECT_EQ(StepValues(t), (std::map<int, std::string>{{15, "0 1 0 -1"}, {16, "0 0 0 -2"}}));
  EXPECT_EQ(t.closedAt, 31);
  EXPECT_EQ(t.finalScore, -2);
}

TEST(GameOverTally, SingleTileLeft) {
  const Timeline t = RunTally(7, 1);
  EXPECT_EQ(StepValues(t), (std::map<int, std::string>{{15, "0 1 0 7"}, {20, "0 0 0 6"}}));
  EXPECT_EQ(t.closedAt, 35);
}

TEST(GameOverTally, ClickEndsItAtOnceWithTheFullResult) {
  const Timeline cut = RunTally(50, 3, /*clickAfterTick=*/2);
  EXPECT_EQ(cut.closedAt, 2);
  EXPECT_EQ(cut.frames.size(), 2u);
  EXPECT_EQ(cut.frames.back().rowsShown, 0);
  EXPECT_EQ(cut.finalScore, 47);
  EXPECT_EQ(RunTally(120, 0, 2).finalScore, 1120);
}

TEST(GameOverTally, EnterOrEscapeEndItAndTheTimerStops) {
  for (bool enter : {true, false}) {
    CRecordingHost host;
    bool timerAfterDestroy = true;
    host.OnDialog(IDD_GAMEOVER, [&](CDialog& dialog, CMemoryControlSite& site) {
      site.FireTimers();
      enter ? site.PressEnter() : site.PressEscape();
      EXPECT_TRUE(dialog.IsEnding());
      dialog.OnDestroy();
      timerAfterDestroy = !site.ActiveTimers().empty();
    });
    CGameOverDlg dlg(50, 3);
    EXPECT_EQ(dlg.DoModal(), enter ? IDOK : IDCANCEL);
    EXPECT_FALSE(timerAfterDestroy);
    EXPECT_EQ(dlg.GetFinalScore(), 47);
  }
}

// The flow after the last move, from the tally to the next game.
TEST(GameOverFlow, FromTheLastMoveToAFreshBoard) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"......", "......", "......", "......", "00...."});
  v.ClickAt(1, 4);
  const Events expected{"sound 140",
                        "pause 100",
                        "repaint now",
                        "dialog 142",
                        "high scores board 0/3",
                        "high scores submit 1000",
                        "high scores show",
                        "repaint now erase"};
  Events seen;
  for (const auto& e : v.host.events)
    if (e != "sound 144") seen.push_back(e);
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(v.host.Count("sound 144"), 10);  // the bonus, 100 at a time
  // The final score was in the score text before the tables were shown,
  // and the finished game was still in the document.
  EXPECT_EQ(v.highScores.scoreTextAtSubmit, "Score: 1000");
  const Board::Rows cleared(5, "......");
  EXPECT_EQ(v.highScores.boardAtSubmit, cleared);
  EXPECT_EQ(v.highScores.boardAtShow, cleared);
  // The erased repaint shows the new game.
  EXPECT_EQ(v.doc.GetScore(), 0);
  EXPECT_EQ(v.doc.GetTilesLeft(), 30);
  EXPECT_FALSE(v.doc.CanUndo());
  EXPECT_EQ(v.doc.GetBoardSize(), kSmall);
  EXPECT_EQ(v.Text(IDC_SCORE), "Score: 0");
  EXPECT_EQ(v.Text(IDC_TILESLEFT), "Tiles Left: 30");
  // A screen reader hears the move and the result, and the focus is back
  // on the board, which now shows the new game.
  EXPECT_EQ(v.host.announcements, (Events{"Score: 0", "Game Score: 0", "Tiles Left: 0",
                                          "Bonus: 1000", "Game over. Final score: 1000"}));
  EXPECT_EQ(v.form.windowFocusCount, 1);
}

TEST(GameOverFlow, ABoardWithoutMovesEndsAtTheFirstClickAnywhere) {
  ViewHarness v;
  v.Lay(kSmall, 3, {"010101", "101010", "010101", "101010", "010101"});
  v.view.OnLButtonDown(0, {1, 1});  // off the board
  ASSERT_FALSE(v.host.events.empty());
  EXPECT_EQ(v.host.events.front(), "dialog 142");
  EXPECT_EQ(v.host.Count("high scores submit -30"), 1);
  EXPECT_EQ(v.host.events.back(), "repaint now erase");
}

}  // namespace
