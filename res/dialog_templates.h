// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The dialog templates (100, 101, 135, 142, 147, 148, 150, 151). Coordinates are
// dialog units: x units are a quarter of the font's average character width,
// y units an eighth of its height.

#include <span>

namespace res {

enum class ControlKind { Static, Icon, PushButton, Edit, ComboBox, CheckBox };

// Style bits of controls and dialogs. A control is visible and enabled
// unless Hidden or Disabled is set.
namespace style {
inline constexpr unsigned Visible = 0;
inline constexpr unsigned Hidden = 1u << 0;
inline constexpr unsigned Disabled = 1u << 1;
inline constexpr unsigned TabStop = 1u << 2;
inline constexpr unsigned DefaultButton = 1u << 3;
inline constexpr unsigned AlignLeft = 1u << 4;
inline constexpr unsigned AlignCenter = 1u << 5;
inline constexpr unsigned AlignRight = 1u << 6;
inline constexpr unsigned CenterVertically = 1u << 7;
inline constexpr unsigned SunkenFrame = 1u << 8;  // sunken frame around a static text
inline constexpr unsigned NoPrefix = 1u << 9;     // "&" is shown literally
inline constexpr unsigned ReadOnly = 1u << 10;
inline constexpr unsigned Border = 1u << 11;
inline constexpr unsigned AutoHScroll = 1u << 12;
inline constexpr unsigned DropDownList = 1u << 13;  // list without edit field, unsorted
inline constexpr unsigned VScroll = 1u << 14;
inline constexpr unsigned LeftText = 1u << 15;  // check box text left of the box
inline constexpr unsigned AutoCheck = 1u << 16;
inline constexpr unsigned ClientEdge = 1u << 17;  // sunken client edge
inline constexpr unsigned StaticEdge = 1u << 18;  // thin sunken edge
// Dialog-level styles (ModalFrame also marks a raised frame on a control).
inline constexpr unsigned TitleBar = 1u << 19;
inline constexpr unsigned CloseBox = 1u << 20;  // system menu with close box
inline constexpr unsigned ModalFrame = 1u << 21;
inline constexpr unsigned Child = 1u << 22;
inline constexpr unsigned NoBorder = 1u << 23;
inline constexpr unsigned Popup = 1u << 24;
// An edit field of many lines that wraps its words.
inline constexpr unsigned Multiline = 1u << 25;
}  // namespace style

struct ControlTemplate {
  int id;  // IDC_STATIC (-1) for texts the program never addresses
  ControlKind kind;
  const char* text;  // never null; "" when empty
  unsigned style;
  int x, y, cx, cy;
  int iconId = 0;  // for ControlKind::Icon: the icon resource shown
};

// One item that the dialog's initialisation adds to a combo box's list.
struct ComboInit {
  int controlId;
  const char* text;
};

struct DialogTemplate {
  int id;
  const char* caption;  // never null; "" for no caption
  unsigned style;
  int x, y, cx, cy;
  const char* fontName;
  int pointSize;
  std::span<const ControlTemplate> controls;  // template order = tab order
  std::span<const ComboInit> initData;        // in the order added
};

// The template with `id` in the player's language, or nullptr. Its texts
// stay valid until the language changes (res/translation.h).
const DialogTemplate* FindDialogTemplate(int id);
std::span<const DialogTemplate> DialogTemplates();
// The templates as written, in English: the source of the catalogues.
std::span<const DialogTemplate> SourceDialogTemplates();

// The control `controlId` of `dialog`, or nullptr. IDC_STATIC is shared by
// many controls; this finds only the first of them.
const ControlTemplate* FindControl(const DialogTemplate& dialog, int controlId);

}  // namespace res
