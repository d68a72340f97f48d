// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the Caps, Num and Scroll lock keys, for the status bar's
// indicators. An X11 server reports every change of its keyboard indicators
// as an event, so the state is read once and then followed without asking
// again. Elsewhere (a native Wayland session) the state is unknown and the
// indicators stay blank.
#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <optional>

struct KeyLocks {
  bool caps = false;
  bool num = false;
  bool scroll = false;
  bool operator==(const KeyLocks&) const = default;
};

class CKeyLockWatcher final : public QAbstractNativeEventFilter {
 public:
  using Listener = std::function<void(const KeyLocks&)>;
  // Reads the locks and asks the server to report their changes to
  // `changed`; does nothing where the desktop cannot tell.
  explicit CKeyLockWatcher(Listener changed);
  ~CKeyLockWatcher() override;
  CKeyLockWatcher(const CKeyLockWatcher&) = delete;
  CKeyLockWatcher& operator=(const CKeyLockWatcher&) = delete;

  // The locks as last reported, or nothing where they cannot be known.
  std::optional<KeyLocks> Current() const { return m_locks; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  // Which indicator bit each lock lights; -1 when the keymap has none.
  struct IndicatorBits {
    int caps = -1;
    int num = -1;
    int scroll = -1;
  };
  void ReadIndicators();
  void Show(std::uint32_t indicatorState);

  Listener m_changed;
  void* m_pDisplay = nullptr;
  int m_nEventBase = -1;
  IndicatorBits m_bits;
  std::optional<KeyLocks> m_locks;
};
