// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/catalogue_entries.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "res/command_resources.h"
#include "res/dialog_templates.h"
#include "res/game_texts.h"
#include "res/string_table.h"
#include "res/translation.h"

namespace res {
namespace {

class Collector {
 public:
  void Add(std::string context, std::string_view english, std::string note) {
    if (!NeedsTranslation(english)) return;
    const bool seen = std::any_of(m_entries.begin(), m_entries.end(), [&](const CatalogueEntry& e) {
      return e.context == context && e.english == english;
    });
    if (!seen) m_entries.push_back({std::move(context), std::string(english), std::move(note)});
  }
  std::vector<CatalogueEntry> Take() { return std::move(m_entries); }

 private:
  std::vector<CatalogueEntry> m_entries;
};

std::string CommandNote(std::string_view english) {
  return english.find('\n') == std::string_view::npos
             ? "string table"
             : "string table: status-bar prompt, a line break, then the tooltip";
}

}  // namespace

std::vector<CatalogueEntry> CatalogueEntries() {
  Collector c;
  const MenuBar& menu = SourceMainMenu();
  constexpr const char* kAccessNote = "menu: \"&\" marks the access key, unique within its menu";
  for (std::size_t p = 0; p < menu.popups.size(); ++p) {
    const MenuPopup& popup = menu.popups[p];
    c.Add(MenuPopupContext(menu.id, static_cast<int>(p)), popup.text,
          "menu bar: \"&\" marks the access key, unique within the menu bar");
    for (const MenuItem& item : popup.items)
      if (!item.isSeparator())
        c.Add(MenuItemContext(menu.id, item.command), MenuItemLabel(item), kAccessNote);
  }
  for (const StringEntry& entry : StringTable())
    c.Add(StringContext(entry.id), entry.text, CommandNote(entry.text));
  for (const DialogTemplate& dialog : SourceDialogTemplates()) {
    c.Add(DialogContext(dialog.id), dialog.caption, "dialog caption");
    for (const ControlTemplate& control : dialog.controls)
      c.Add(ControlContext(dialog.id, control.id), control.text, "dialog control");
    for (const ComboInit& item : dialog.initData)
      c.Add(ControlContext(dialog.id, item.controlId), item.text, "dialog list item");
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(TextId::Count); ++i) {
    const auto id = static_cast<TextId>(i);
    c.Add(TextContext(TextName(id)), SourceText(id), "game text");
  }
  return c.Take();
}

}  // namespace res
