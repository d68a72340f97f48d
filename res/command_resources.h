// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's menu bar, accelerator table and toolbar (all id 128).

#include <span>
#include <string_view>

namespace res {

// A separator has a null text and command 0.
struct MenuItem {
  const char* text;  // "&" marks the access letter; "\t" precedes the shortcut
  int command;
  constexpr bool isSeparator() const { return text == nullptr; }
};

struct MenuPopup {
  const char* text;
  std::span<const MenuItem> items;
};

struct MenuBar {
  int id;
  std::span<const MenuPopup> popups;
};

// Item text before the tab, e.g. "&New Game" from "&New Game\tCtrl+N".
std::string_view MenuItemLabel(const MenuItem& item);
// Item text after the tab, e.g. "Ctrl+N"; empty when there is none.
std::string_view MenuItemShortcut(const MenuItem& item);

// The menu bar in the player's language; only the labels are translated, the
// shortcuts stay as the accelerator table has them.
const MenuBar& MainMenu();
// The menu bar as written, in English: the source of the catalogues.
const MenuBar& SourceMainMenu();

// A key accelerator: `key` is an upper-case letter or kKeyF1; the modifier flags say
// which of Ctrl, Shift and Alt must be held. `noInvert` asks that the menu
// bar not flash when the accelerator is used.
struct Accelerator {
  char key;
  bool ctrl;
  bool shift;
  bool alt;
  bool noInvert;
  int command;
};

// The function key F1, by its virtual-key code, which no letter shares.
inline constexpr char kKeyF1 = 0x70;

std::span<const Accelerator> Accelerators();
// The accelerator for `command`, or nullptr when it has none.
const Accelerator* FindAccelerator(int command);

// A toolbar entry: a button showing picture `imageIndex` of the toolbar
// bitmap, or a separator (command ID_SEPARATOR, imageIndex -1).
struct ToolbarItem {
  int command;
  int imageIndex;
  constexpr bool isSeparator() const { return imageIndex < 0; }
};

inline constexpr int ToolbarButtonWidth = 16;
inline constexpr int ToolbarButtonHeight = 15;
inline constexpr int ToolbarImageCount = 3;

std::span<const ToolbarItem> ToolbarItems();

}  // namespace res
