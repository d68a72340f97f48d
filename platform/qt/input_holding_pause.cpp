// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/input_holding_pause.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

namespace {
bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return false;
  }
}

// Whether a modal window that is not `widget`'s own, nor one of its
// ancestors, keeps input away from it.
bool IsBlockedByModal(const QWidget& widget) {
  const QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return false;
  for (const QWidget* w = &widget; w; w = w->parentWidget())
    if (w == modal) return false;
  return true;
}

// One held event on its way back to its receiver.
class CHeldInput : public QEvent {
 public:
  CHeldInput(QObject* receiver, std::unique_ptr<QEvent> event)
      : QEvent(Type()), m_receiver(receiver), m_event(std::move(event)) {}
  static QEvent::Type Type() {
    static const int s_type = QEvent::registerEventType();
    return static_cast<QEvent::Type>(s_type);
  }
  QPointer<QObject> m_receiver;
  std::unique_ptr<QEvent> m_event;
};

// Hands held input to its receiver when the event loop gets to it, unless a
// modal window blocks the receiver by then.
class CHeldInputRelay : public QObject {
 public:
  static CHeldInputRelay& Instance() {
    static CHeldInputRelay s_relay;
    return s_relay;
  }

 protected:
  bool event(QEvent* event) override {
    if (event->type() != CHeldInput::Type()) return QObject::event(event);
    auto* held = static_cast<CHeldInput*>(event);
    QObject* receiver = held->m_receiver.data();
    if (!receiver) return true;
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget && IsBlockedByModal(*widget)) return true;
    QCoreApplication::sendEvent(receiver, held->m_event.get());
    return true;
  }
};

// Input from the window system already waits in the toolkit's queue while
// the loop excludes it; input posted to widgets directly is caught here and
// delivered afterwards. It is judged when it is delivered, not when it is
// released: a modal dialog opened meanwhile (the game-over tally) blocks it
// as it blocks the window system's input.
class CInputHolder : public QObject {
 public:
  CInputHolder() { QCoreApplication::instance()->installEventFilter(this); }
  ~CInputHolder() override { QCoreApplication::instance()->removeEventFilter(this); }

  void Release() {
    for (auto& [receiver, event] : m_held) {
      if (!receiver) continue;
      auto held = std::make_unique<CHeldInput>(receiver.data(), std::move(event));
      QCoreApplication::postEvent(&CHeldInputRelay::Instance(), held.release());
    }
    m_held.clear();
  }

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (!IsUserInput(event->type()) || !receiver->isWidgetType()) return false;
    m_held.emplace_back(receiver, std::unique_ptr<QEvent>(event->clone()));
    return true;
  }

 private:
  std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};
}  // namespace

void PauseHoldingInput(int milliseconds) {
  if (milliseconds <= 0 || !QCoreApplication::instance()) return;
  CInputHolder holder;
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  timer.start(milliseconds);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  holder.Release();
}
