#include "platform/qt/key_locks.h"

#include <QGuiApplication>

#ifdef KAROBLEN_HAVE_X11
// X11 headers define macros (None, Bool, Status...) that clash with Qt's
// names, so they come last and stay in this file.
#include <X11/XKBlib.h>

namespace {
bool IndicatorOn(Display* display, Atom atom) {
  if (atom == 0) return false;
  int on = 0;
  if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
  return on != 0;
}
}  // namespace

std::optional<KeyLocks> ReadKeyLocks() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  // The locks are read several times a second; the names need asking only once.
  static const Atom caps = XInternAtom(display, "Caps Lock", True);
  static const Atom num = XInternAtom(display, "Num Lock", True);
  static const Atom scroll = XInternAtom(display, "Scroll Lock", True);
  return KeyLocks{IndicatorOn(display, caps), IndicatorOn(display, num),
                  IndicatorOn(display, scroll)};
}
#else
std::optional<KeyLocks> ReadKeyLocks() { return std::nullopt; }
#endif
