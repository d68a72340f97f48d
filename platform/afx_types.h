// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small vocabulary shared by the game's windows and the platform layer:
// colours, points, message-box flags and dialog results.
#include <cstdint>

// IDOK and IDCANCEL double as the ids of the OK and Cancel buttons, so they
// are defined once, with the other resource ids.
#include "res/resource_ids.h"

using COLORREF = std::uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

struct CPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CPoint&, const CPoint&) = default;
};

// Right and bottom lie just outside the rectangle.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const CRect&, const CRect&) = default;
};

// Virtual-key codes of the keys a view is told of, and the flag of a key
// message that says the key was already down (auto-repeat).
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;
inline constexpr unsigned KF_REPEAT = 0x4000;

// The buttons and modifier keys held during a mouse message.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// Dialog and message-box results (IDOK 1, IDCANCEL 2: see above).
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message-box buttons and icons; a box combines one of each.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr unsigned MB_BUTTONMASK = 0x0F;
inline constexpr unsigned MB_ICONMASK = 0xF0;

// File-open dialog flags.
inline constexpr unsigned OFN_HIDEREADONLY = 0x0004;
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x0800;
inline constexpr unsigned OFN_FILEMUSTEXIST = 0x1000;

// Notifications delivered to a dialog's OnCommand: a button pressed, a combo
// box's selection changed, an edit's text changed by the player (never by
// the program).
inline constexpr int BN_CLICKED = 0;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int EN_CHANGE = 0x0300;

// Show flags for controls.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;
