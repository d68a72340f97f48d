#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/recording_host.h"
#include "res/resource_ids.h"

namespace {

class CTracingDialog : public CDialog {
 public:
  explicit CTracingDialog(int templateId = IDD_ABOUTBOX) : CDialog(templateId) {}
  void OnCancel() override {
    trace.push_back("cancel");
    CDialog::OnCancel();
  }
  void OnDestroy() override { trace.push_back(HasWindow() ? "destroy" : "destroy without window"); }
  void OnCommand(int id, int code) override {
    trace.push_back(std::to_string(id) + "/" + std::to_string(code));
  }
  std::vector<std::string> trace;
};

TEST(DialogEnding, OkCancelCloseAndEscape) {
  CRecordingHost host;
  CTracingDialog dlg;
  host.OnDialog(IDD_ABOUTBOX, [](CDialog& d, CMemoryControlSite&) { d.OnOK(); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.trace, (std::vector<std::string>{"destroy"}));

  dlg.trace.clear();
  host.OnDialog(IDD_ABOUTBOX, [](CDialog& d, CMemoryControlSite&) { d.SendClose(); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.trace, (std::vector<std::string>{"cancel", "destroy"}));

  // Nobody answers: the dialog gets Escape.
  dlg.trace.clear();
  host.OnDialog(IDD_ABOUTBOX, nullptr);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.trace, (std::vector<std::string>{"cancel", "destroy"}));
  EXPECT_FALSE(dlg.HasWindow());
}

TEST(DialogEnding, ButtonsOfTheTemplate) {
  CRecordingHost host;
  CTracingDialog dlg(IDD_OPTIONS);
  host.OnDialog(IDD_OPTIONS, [](CDialog&, CMemoryControlSite& site) {
    site.Click(IDC_TILESET_BROWSE);
    site.Click(IDC_SOUNDFX);  // disabled in the template: nothing happens
    site.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.trace, (std::vector<std::string>{"1008/0", "cancel", "destroy"}));
  EXPECT_EQ(host.dialogs.back().result, IDCANCEL);
}

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

TEST(DialogTimers, UnattendedTimedDialogRunsToItsEnd) {
  CRecordingHost host;
  CCountdownDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.ticks, (std::vector<int>{1, 1, 1}));
}

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

class CListDialog : public CTracingDialog {
 public:
  CListDialog() : CTracingDialog(IDD_OPTIONS) {}
  void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_BOARDSIZE, m_cbSize); }
  CComboBox m_cbSize;
};

TEST(DialogCombos, ListsComeFromTheTemplateAndSelectionNotifies) {
  CRecordingHost host;
  CListDialog dlg;
  host.OnDialog(IDD_OPTIONS, [&](CDialog&, CMemoryControlSite& site) {
    ASSERT_EQ(dlg.m_cbSize.GetCount(), 3);
    EXPECT_EQ(dlg.m_cbSize.GetLBText(0), "Small");
    EXPECT_EQ(dlg.m_cbSize.GetLBText(2), "Large");
    EXPECT_EQ(site.GetItemText(IDC_TILEKINDS, 3), "5 Tiles");
    dlg.m_cbSize.SetCurSel(1);  // from code: no notification
    site.Select(IDC_BOARDSIZE, 2);
    EXPECT_EQ(dlg.m_cbSize.GetCurSel(), 2);
    site.PressEnter();
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.trace, (std::vector<std::string>{"1005/1", "destroy"}));
}

}  // namespace
