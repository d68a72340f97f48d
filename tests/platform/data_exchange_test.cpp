#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/testing/recording_host.h"
#include "res/resource_ids.h"

namespace {

// A name prompt like the game's: one edit, 16 characters at most.
class CNameDialog : public CDialog {
 public:
  CNameDialog() : CDialog(IDD_NAMEENTRY) {}
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_NAME, m_editName);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 16);
  }
  CEdit m_editName;
  std::string m_strName;
};

TEST(Utf8, CountsAndCutsWholeCharacters) {
  EXPECT_EQ(Utf8Length(""), 0);
  EXPECT_EQ(Utf8Length("Zo\xC3\xAB"), 3);                    // Zoë
  EXPECT_EQ(Utf8Length("\xE2\x82\xAC\xF0\x9F\x99\x82"), 2);  // euro sign, emoji
  EXPECT_EQ(Utf8Left("Zo\xC3\xAB!", 3), "Zo\xC3\xAB");
  EXPECT_EQ(Utf8Left("\xE2\x82\xAC\xF0\x9F\x99\x82", 1), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8Left("abc", 0), "");
  EXPECT_EQ(Utf8Left("abc", 10), "abc");
}

TEST(DataExchange, LoadFillsTheEditAndLimitsIt) {
  CRecordingHost host;
  CNameDialog dlg;
  dlg.m_strName = "J\xC3\xBCrgen";  // Jürgen
  host.OnDialog(IDD_NAMEENTRY, [](CDialog&, CMemoryControlSite& site) {
    EXPECT_EQ(site.GetText(IDC_NAME), "J\xC3\xBCrgen");
    EXPECT_EQ(site.GetLimitText(IDC_NAME), 16);
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_editName.GetDlgCtrlID(), IDC_NAME);
}

TEST(DataExchange, TypingStopsAtSixteenMultiByteCharacters) {
  CRecordingHost host;
  CNameDialog dlg;
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "\xC3\xA9";  // é, two bytes each
  host.OnDialog(IDD_NAMEENTRY, [&](CDialog& d, CMemoryControlSite& site) {
    site.ReplaceText(IDC_NAME, twenty);
    d.OnOK();
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_strName.size(), 32u);
  EXPECT_EQ(Utf8Length(dlg.m_strName), 16);
}

TEST(DataExchange, SavingCutsTextSetFromCodeToTheLimit) {
  CRecordingHost host;
  CNameDialog dlg;
  host.OnDialog(IDD_NAMEENTRY, [](CDialog& d, CMemoryControlSite& site) {
    // Text from code is not held to the edit's limit; the exchange is.
    site.SetText(IDC_NAME,
                 "\xE2\x82\xAC"
                 "bcdefghijklmnopqrstu");
    d.OnOK();
  });
  dlg.DoModal();
  EXPECT_EQ(dlg.m_strName,
            "\xE2\x82\xAC"
            "bcdefghijklmnop");
}

TEST(DataExchange, TypingReplacesTheSelectionOnly) {
  CMemoryControlSite site(IDD_NAMEENTRY);
  site.SetText(IDC_NAME, "Anna");
  site.SetLimitText(IDC_NAME, 6);
  site.SetSel(IDC_NAME, 4, 4);
  site.TypeText(IDC_NAME, "belle");
  EXPECT_EQ(site.GetText(IDC_NAME), "Annabe");
  site.SetSel(IDC_NAME, 0, 1);
  site.TypeText(IDC_NAME, "J");
  EXPECT_EQ(site.GetText(IDC_NAME), "Jnnabe");
}

}  // namespace
