// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/x11/x11_dialog_hints.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef KAROBLEN_HAVE_X11
// X11 headers define macros that clash with Qt's names, so they come last.
#include <X11/Xlib.h>

namespace {
// The window manager hints of the Motif toolkit, which window managers
// still read for a window's functions and decorations.
constexpr unsigned long kFunctionsGiven = 1UL << 0;
constexpr unsigned long kDecorationsGiven = 1UL << 1;
constexpr unsigned long kFunctionMove = 1UL << 2;
constexpr unsigned long kFunctionClose = 1UL << 5;
constexpr unsigned long kDecorBorder = 1UL << 1;
constexpr unsigned long kDecorTitle = 1UL << 3;
constexpr unsigned long kDecorMenu = 1UL << 4;
}  // namespace

void DeclineMinimiseAndMaximise(QWidget& dialog, bool closeBox) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return;
  const Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  // Flags, functions, decorations, input mode, status: longs on the client
  // side, 32 bits on the wire.
  long value[5] = {static_cast<long>(kFunctionsGiven | kDecorationsGiven),
                   static_cast<long>(kFunctionMove | (closeBox ? kFunctionClose : 0)),
                   static_cast<long>(kDecorBorder | kDecorTitle | (closeBox ? kDecorMenu : 0)), 0,
                   0};
  XChangeProperty(display, static_cast<Window>(dialog.winId()), hints, hints, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(value), 5);
  XFlush(display);
}
#else
void DeclineMinimiseAndMaximise(QWidget&, bool) {}
#endif
