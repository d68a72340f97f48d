// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/background_work.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

CQtBackgroundWork::~CQtBackgroundWork() {
  for (auto& [id, thread] : m_threads) thread.join();
}

void CQtBackgroundWork::Run(std::function<void()> work, std::function<void()> done) {
  const int id = m_nNextId++;
  // The answer is queued on the application object; it is only looked at on
  // the user-interface thread, after this function has stored the thread.
  QPointer<QCoreApplication> application = QCoreApplication::instance();
  m_threads.emplace(id, std::thread([this, id, application, work = std::move(work),
                                     done = std::move(done)]() mutable {
                      work();
                      if (!application) return;
                      QMetaObject::invokeMethod(
                          application.data(),
                          [this, id, done = std::move(done)] {
                            if (const auto it = m_threads.find(id); it != m_threads.end()) {
                              it->second.join();
                              m_threads.erase(it);
                            }
                            done();
                          },
                          Qt::QueuedConnection);
                    }));
}
