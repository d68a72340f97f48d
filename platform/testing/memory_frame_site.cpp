// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/testing/memory_frame_site.h"

#include <cstdio>

namespace {
std::string Outcome(bool ok) { return ok ? "" : " failed"; }

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}
}  // namespace

bool CMemoryFrameSite::CreateToolBar(unsigned style, int id) {
  const bool ok = !failCreateToolBar;
  events.push_back("create toolbar style " + Hex(style) + " id " + std::to_string(id) +
                   Outcome(ok));
  hasToolBar = ok;
  if (ok) toolBarStyle = style;
  return ok;
}

bool CMemoryFrameSite::LoadToolBar(int resourceId) {
  const bool ok = hasToolBar && !failLoadToolBar;
  events.push_back("load toolbar " + std::to_string(resourceId) + Outcome(ok));
  if (ok) toolBarResource = resourceId;
  return ok;
}

void CMemoryFrameSite::SetToolBarStyle(unsigned style) {
  events.push_back("toolbar style " + Hex(style));
  toolBarStyle = style;
}

void CMemoryFrameSite::EnableToolBarDocking(unsigned sides) {
  events.push_back("toolbar docking " + Hex(sides));
}

void CMemoryFrameSite::EnableFrameDocking(unsigned sides) {
  events.push_back("frame docking " + Hex(sides));
}

void CMemoryFrameSite::DockToolBar() { events.push_back("dock toolbar"); }

bool CMemoryFrameSite::CreateStatusBar(unsigned style, int id) {
  const bool ok = !failCreateStatusBar;
  events.push_back("create status bar style " + Hex(style) + " id " + std::to_string(id) +
                   Outcome(ok));
  hasStatusBar = ok;
  return ok;
}

bool CMemoryFrameSite::SetIndicators(const int* ids, int count) {
  const bool ok = hasStatusBar && !failSetIndicators;
  std::string line = "indicators";
  for (int i = 0; i < count; ++i) {
    line += ' ';
    line += std::to_string(ids[i]);
  }
  events.push_back(line + Outcome(ok));
  if (ok) indicators.assign(ids, ids + count);
  return ok;
}

void CMemoryFrameSite::InvalidateClient(bool erase) {
  events.push_back(erase ? "invalidate erase" : "invalidate");
}

void CMemoryFrameSite::LayoutBars() { events.push_back("layout"); }
