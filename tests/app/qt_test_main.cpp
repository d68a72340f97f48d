// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest inside a QApplication; CTest runs it offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/private_session.h"

int main(int argc, char** argv) {
  // Test discovery runs the binary outside CTest's environment; these tests
  // never need a real screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const CPrivateSession session;
  QApplication qtApp(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
