// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/testing/memory_control_site.h"
#include "platform/wnd.h"
#include "res/resource_ids.h"

namespace {

TEST(Utf8, CountsAndCutsWholeCharacters) {
  EXPECT_EQ(Utf8Length(""), 0);
  EXPECT_EQ(Utf8Length("Zo\xC3\xAB"), 3);                    // Zoë
  EXPECT_EQ(Utf8Length("\xE2\x82\xAC\xF0\x9F\x99\x82"), 2);  // euro sign, emoji
  EXPECT_EQ(Utf8Left("Zo\xC3\xAB!", 3), "Zo\xC3\xAB");
  EXPECT_EQ(Utf8Left("\xE2\x82\xAC\xF0\x9F\x99\x82", 1), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8Left("abc", 0), "");
  EXPECT_EQ(Utf8Left("abc", 10), "abc");
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
