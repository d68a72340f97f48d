// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/command_resources.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "res/translation.h"

namespace res {
namespace {

constexpr MenuItem kSeparator{nullptr, 0};

constexpr std::array kFileItems{
    MenuItem{"&New Game\tCtrl+N", ID_FILE_NEW},
    kSeparator,
    MenuItem{"View &High Scores...\tCtrl+H", ID_FILE_HIGHSCORES},
    MenuItem{"&Merge High Score Files...\tCtrl+M", ID_FILE_MERGESCORES},
    kSeparator,
    MenuItem{"E&xit", ID_APP_EXIT},
};

constexpr std::array kGameItems{
    MenuItem{"&Options...\tCtrl+O", ID_GAME_OPTIONS},
    MenuItem{"Tile &Symbols", ID_GAME_TILESYMBOLS},
    kSeparator,
    MenuItem{"&Restart Board", ID_GAME_RESTART},
    MenuItem{"Play &Board Number...", ID_GAME_BOARDNUMBER},
    kSeparator,
    MenuItem{"&Undo Last Move\tCtrl+Z", ID_GAME_UNDO},
    MenuItem{"&Hint\tH", ID_GAME_HINT},
};

constexpr std::array kHelpItems{
    MenuItem{"&How to Play\tF1", ID_HELP_HOWTOPLAY},
    MenuItem{"&About Karoblen...", ID_APP_ABOUT},
};

constexpr std::array kPopups{
    MenuPopup{"&File", kFileItems},
    MenuPopup{"&Game", kGameItems},
    MenuPopup{"&Help", kHelpItems},
};

constexpr MenuBar kMainMenu{IDR_MAINFRAME, kPopups};

// Exit and About deliberately have no accelerator. Hint's plain H is the
// board's key: the main window holds no text field it could be typed into.
constexpr std::array kAccelerators{
    Accelerator{'H', true, false, false, true, ID_FILE_HIGHSCORES},
    Accelerator{'M', true, false, false, true, ID_FILE_MERGESCORES},
    Accelerator{'N', true, false, false, true, ID_FILE_NEW},
    Accelerator{'O', true, false, false, true, ID_GAME_OPTIONS},
    Accelerator{'Z', true, false, false, true, ID_GAME_UNDO},
    Accelerator{'H', false, false, false, true, ID_GAME_HINT},
    Accelerator{kKeyF1, false, false, false, true, ID_HELP_HOWTOPLAY},
};

constexpr std::array kToolbar{
    ToolbarItem{ID_FILE_NEW, 0},   ToolbarItem{ID_SEPARATOR, -1}, ToolbarItem{ID_GAME_UNDO, 1},
    ToolbarItem{ID_SEPARATOR, -1}, ToolbarItem{ID_APP_ABOUT, 2},
};

std::string_view ItemText(const MenuItem& item) {
  return item.text ? std::string_view(item.text) : std::string_view();
}

}  // namespace

std::string_view MenuItemLabel(const MenuItem& item) {
  const std::string_view text = ItemText(item);
  return text.substr(0, text.find('\t'));
}

std::string_view MenuItemShortcut(const MenuItem& item) {
  const std::string_view text = ItemText(item);
  const auto tab = text.find('\t');
  return tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
}

const MenuBar& SourceMainMenu() { return kMainMenu; }

const MenuBar& MainMenu() {
  // Made again only when the language changes, so that the pointers the
  // window keeps stay valid while it shows the menu.
  static unsigned generation = ~0u;
  static std::deque<std::string> texts;
  static std::vector<std::vector<MenuItem>> items;
  static std::vector<MenuPopup> popups;
  static MenuBar bar{};
  if (generation == CatalogueGeneration()) return bar;
  generation = CatalogueGeneration();
  texts.clear();
  items.assign(kPopups.size(), {});
  popups.clear();
  for (std::size_t p = 0; p < kPopups.size(); ++p) {
    for (const MenuItem& item : kPopups[p].items) {
      if (item.isSeparator()) {
        items[p].push_back(item);
        continue;
      }
      const std::string label(MenuItemLabel(item));
      std::string text = Translate(MenuItemContext(kMainMenu.id, item.command), label.c_str());
      if (const std::string_view shortcut = MenuItemShortcut(item); !shortcut.empty())
        text.append("\t").append(shortcut);
      items[p].push_back({texts.emplace_back(std::move(text)).c_str(), item.command});
    }
    popups.push_back(
        {Translate(MenuPopupContext(kMainMenu.id, static_cast<int>(p)), kPopups[p].text),
         items[p]});
  }
  bar = {kMainMenu.id, popups};
  return bar;
}

std::span<const Accelerator> Accelerators() { return kAccelerators; }

const Accelerator* FindAccelerator(int command) {
  const auto it = std::find_if(kAccelerators.begin(), kAccelerators.end(),
                               [command](const Accelerator& a) { return a.command == command; });
  return it == kAccelerators.end() ? nullptr : &*it;
}

std::span<const ToolbarItem> ToolbarItems() { return kToolbar; }

}  // namespace res
