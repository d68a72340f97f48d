// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers a modal window from inside its own event loop: polls until a
// widget of type T is the active modal window, then hands it to `answer`.
#include <QApplication>
#include <QTimer>
#include <functional>

template <typename T>
void WhenModalShown(std::function<void(T*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(window);
    }
  });
  poll->start();
}
