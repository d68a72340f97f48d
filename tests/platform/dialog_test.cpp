// SPDX-License-Identifier: GPL-3.0-or-later
// What only the recording host offers: scripts that stand in for the player.
// The protocol both hosts share is in dialog_contract_test.cpp.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/recording_host.h"
#include "res/resource_ids.h"

namespace {

// Counts down on its timer and ends itself, like the game-over tally.
class CCountdownDialog : public CDialog {
 public:
  CCountdownDialog() : CDialog(IDD_GAMEOVER) {}
  bool OnInitDialog() override {
    SetTimer(1, 110);
    return CDialog::OnInitDialog();
  }
  void OnTimer(int id) override {
    ticks.push_back(id);
    if (ticks.size() == 3) {
      KillTimer(1);
      EndDialog(IDOK);
    }
  }
  std::vector<int> ticks;
};

TEST(DialogTimers, ScriptFiresTimersAndTheRestFollowsByItself) {
  CRecordingHost host;
  CCountdownDialog dlg;
  host.OnDialog(IDD_GAMEOVER, [](CDialog& d, CMemoryControlSite& site) {
    EXPECT_EQ(site.ActiveTimers().at(1), 110);
    EXPECT_EQ(site.FireTimers(), 1);
    EXPECT_EQ(static_cast<CCountdownDialog&>(d).ticks.size(), 1u);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.ticks.size(), 3u);
}

TEST(DialogEnding, UnansweredDialogGetsEscape) {
  CRecordingHost host;
  CDialog dlg(IDD_ABOUTBOX);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(host.dialogs.back().result, IDCANCEL);
}

}  // namespace
