// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/x11/key_locks.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstring>

#ifdef KAROBLEN_HAVE_X11
// X11 headers define macros (None, Bool, Status...) that clash with Qt's
// names, so they come last and stay in this file.
#include <X11/XKBlib.h>

namespace {
// An XKB event as it comes off the wire: 32 bytes, the extension's event
// code first, then its own kind of event.
struct XkbIndicatorEvent {
  std::uint8_t responseType;
  std::uint8_t xkbType;
  std::uint16_t sequence;
  std::uint32_t time;
  std::uint8_t deviceId;
  std::uint8_t pad[3];
  std::uint32_t state;
  std::uint32_t changed;
  std::uint32_t pad2[3];
};
static_assert(sizeof(XkbIndicatorEvent) == 32);

Display* XDisplay() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

int IndicatorBit(Display* display, const char* name) {
  const Atom atom = XInternAtom(display, name, True);
  int index = -1;
  if (atom == 0 || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
    return -1;
  return index >= 0 && index < XkbNumIndicators ? index : -1;
}
}  // namespace

CKeyLockWatcher::CKeyLockWatcher(Listener changed) : m_changed(std::move(changed)) {
  Display* display = XDisplay();
  int opcode = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (!display || !XkbQueryExtension(display, &opcode, &m_nEventBase, &errorBase, &major, &minor)) {
    m_nEventBase = -1;
    return;
  }
  m_pDisplay = display;
  // Only these two kinds are changed; the toolkit's own keyboard events stay
  // selected as they are.
  XkbSelectEventDetails(display, XkbUseCoreKbd, XkbIndicatorStateNotify, XkbAllIndicatorsMask,
                        XkbAllIndicatorsMask);
  XkbSelectEventDetails(display, XkbUseCoreKbd, XkbNamesNotify, XkbIndicatorNamesMask,
                        XkbIndicatorNamesMask);
  ReadIndicators();
  QCoreApplication::instance()->installNativeEventFilter(this);
}

CKeyLockWatcher::~CKeyLockWatcher() {
  if (!m_pDisplay || !XDisplay()) return;
  auto* display = static_cast<Display*>(m_pDisplay);
  XkbSelectEventDetails(display, XkbUseCoreKbd, XkbIndicatorStateNotify, XkbAllIndicatorsMask, 0);
  XkbSelectEventDetails(display, XkbUseCoreKbd, XkbNamesNotify, XkbIndicatorNamesMask, 0);
  XFlush(display);
}

// Where a lock's light sits can change with the keymap; this is asked again
// only then.
void CKeyLockWatcher::ReadIndicators() {
  auto* display = static_cast<Display*>(m_pDisplay);
  m_bits = {IndicatorBit(display, "Caps Lock"), IndicatorBit(display, "Num Lock"),
            IndicatorBit(display, "Scroll Lock")};
  unsigned state = 0;
  if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) state = 0;
  Show(state);
}

void CKeyLockWatcher::Show(std::uint32_t indicatorState) {
  const auto lit = [indicatorState](int bit) {
    return bit >= 0 && (indicatorState & (std::uint32_t{1} << bit)) != 0;
  };
  const KeyLocks locks{lit(m_bits.caps), lit(m_bits.num), lit(m_bits.scroll)};
  if (m_locks == locks) return;
  m_locks = locks;
  if (m_changed) m_changed(locks);
}

bool CKeyLockWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (m_nEventBase < 0 || eventType != "xcb_generic_event_t" || !message) return false;
  XkbIndicatorEvent event;
  std::memcpy(&event, message, sizeof event);
  // The top bit only says the event was sent by another client.
  if ((event.responseType & 0x7f) != m_nEventBase) return false;
  if (event.xkbType == XkbIndicatorStateNotify)
    Show(event.state);
  else if (event.xkbType == XkbNamesNotify)
    ReadIndicators();
  // The toolkit sees the extension's events too.
  return false;
}
#else
CKeyLockWatcher::CKeyLockWatcher(Listener changed) : m_changed(std::move(changed)) {}
CKeyLockWatcher::~CKeyLockWatcher() = default;
void CKeyLockWatcher::ReadIndicators() {}
void CKeyLockWatcher::Show(std::uint32_t) {}
bool CKeyLockWatcher::nativeEventFilter(const QByteArray&, void*, qintptr*) { return false; }
#endif
