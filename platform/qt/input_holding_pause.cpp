#include "platform/qt/input_holding_pause.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
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

// Input from the window system already waits in the toolkit's queue while
// the loop excludes it; input posted to widgets directly is caught here and
// posted again afterwards.
class CInputHolder : public QObject {
 public:
  CInputHolder() { QCoreApplication::instance()->installEventFilter(this); }
  ~CInputHolder() override { QCoreApplication::instance()->removeEventFilter(this); }

  void Release() {
    for (auto& [receiver, event] : m_held)
      if (receiver) QCoreApplication::postEvent(receiver, event.release());
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
