// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt tests need one QApplication for the whole run; without a display
// they run on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/private_session.h"

namespace {
// The offscreen platform says so about every window shown; that is not news.
QtMessageHandler g_defaultHandler = nullptr;
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  g_defaultHandler(type, context, message);
}
}  // namespace

int main(int argc, char** argv) {
  g_defaultHandler = qInstallMessageHandler(QuietOffscreenNotes);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const CPrivateSession session;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Karoblen"));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
