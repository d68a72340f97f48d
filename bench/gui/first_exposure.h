// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shown window is painted only once the window system has mapped and
// exposed it: on X that is a round trip after show(). Until then a forced
// repaint draws nothing, so the start-up clock waits for the exposure.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

// Runs the event loop until a visible top-level window is exposed, for at
// most five seconds. The exposure itself paints the window.
inline bool WaitForFirstExposure() {
  const QDeadlineTimer deadline(5000);
  QTimer wakeUp;  // so that the deadline is looked at even if nothing comes
  wakeUp.start(50);
  for (;;) {
    for (const QWindow* window : QGuiApplication::topLevelWindows())
      if (window->isVisible() && window->isExposed()) return true;
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}
