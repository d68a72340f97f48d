// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window's bars kept in memory: records every request as a readable
// string and can be told to fail any of the creation steps.
#include <string>
#include <vector>

#include "platform/framework.h"

class CMemoryFrameSite : public CFrameSite {
 public:
  bool CreateToolBar(unsigned style, int id) override;
  bool LoadToolBar(int resourceId) override;
  void SetToolBarStyle(unsigned style) override;
  void EnableToolBarDocking(unsigned sides) override;
  void EnableFrameDocking(unsigned sides) override;
  void DockToolBar() override;
  bool CreateStatusBar(unsigned style, int id) override;
  bool SetIndicators(const int* ids, int count) override;
  void InvalidateClient(bool erase) override;
  void LayoutBars() override;

  // Requests in order, styles in lower-case hex:
  //   "create toolbar style 0x2800 id 59392"   "load toolbar 128"
  //   "toolbar style 0x2834"                   "toolbar docking 0xf000"
  //   "frame docking 0xf000"                   "dock toolbar"
  //   "create status bar style 0x8200 id 59393"
  //   "indicators 0 59137 59138 59139"         "invalidate" / "invalidate erase"
  //   "layout"
  // A failed request is logged as well, with " failed" appended.
  std::vector<std::string> events;

  // Set to make the corresponding request fail.
  bool failCreateToolBar = false;
  bool failLoadToolBar = false;
  bool failCreateStatusBar = false;
  bool failSetIndicators = false;

  // State after the requests.
  bool hasToolBar = false;
  bool hasStatusBar = false;
  int toolBarResource = 0;
  unsigned toolBarStyle = 0;
  std::vector<int> indicators;
};
