// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/karoblen_doc.h"

namespace {

class RecordingKeeper : public CHighScoreKeeper {
 public:
  std::vector<std::string> calls;
  void SetBoard(int boardSize, int tileKinds) override {
    calls.push_back("SetBoard " + std::to_string(boardSize) + " " + std::to_string(tileKinds));
  }
  void SetBoardNumber(unsigned number) override {
    calls.push_back("SetBoardNumber " + std::to_string(number));
  }
  void SubmitScore(int score) override { calls.push_back("SubmitScore " + std::to_string(score)); }
  int DoModal() override {
    calls.push_back("DoModal");
    return 0;
  }
  void MergeFrom(std::string path) override { calls.push_back("MergeFrom " + path); }
};

TEST(HighScoreForwarding, RecordSelectsTheTableOfThisBoardThenSubmitsThenShows) {
  RecordingKeeper keeper;
  CKaroblenDoc doc;
  doc.AttachHighScores(&keeper);
  doc.SetBoardSize(2);
  doc.SetTileKinds(5);
  doc.DealBoard(77);
  doc.RecordHighScore(-1);
  doc.MergeScoreFile("/tmp/other.scr");
  EXPECT_EQ(keeper.calls,
            (std::vector<std::string>{"SetBoardNumber 77", "SetBoard 2 5", "SubmitScore -1",
                                      "DoModal", "MergeFrom /tmp/other.scr"}));
}

}  // namespace
