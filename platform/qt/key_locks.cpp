#include "platform/qt/key_locks.h"

#include <QGuiApplication>

#ifdef KAROBLEN_HAVE_X11
// X11 headers define macros (None, Bool, Status...) that clash with Qt's
// names, so they come last and stay in this file.
#include <X11/XKBlib.h>

namespace {
bool IndicatorOn(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
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
  return KeyLocks{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                  IndicatorOn(display, "Scroll Lock")};
}
#else
std::optional<KeyLocks> ReadKeyLocks() { return std::nullopt; }
#endif
