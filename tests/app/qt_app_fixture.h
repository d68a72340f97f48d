// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real application on the real Qt desktop (run offscreen), in a scratch
// directory; the fixture tears the window down before the application goes.
#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QToolButton>

#include "app/karoblen_app.h"
#include "game/karoblen_doc.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/window/main_window.h"
#include "platform/qt/window/window_factory.h"
#include "tests/scores/scratch_directory.h"
#include "view/board_document.h"
#include "view/karoblen_view.h"

class QtAppFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHost(&host);
    SetWindowFactory(&windows);
    ASSERT_TRUE(app.InitInstance());
    QApplication::processEvents();
  }
  void TearDown() override {
    windows.DestroyMainWindow();
    SetWindowFactory(nullptr);
    SetHost(nullptr);
  }

  CQtMainWindow& Window() const { return *windows.MainWindow(); }
  CKaroblenDoc& Doc() const {
    return *static_cast<CBoardDocument*>(app.GetDocTemplate()->GetDocument());
  }
  CKaroblenView& View() const {
    return *static_cast<CKaroblenView*>(app.GetDocTemplate()->GetView());
  }
  QAction* Action(int command) const { return Window().Commands().Action(command); }
  QWidget* ToolButton(int command) const {
    return Window().ToolBar()->widgetForAction(Action(command));
  }
  // The view's client-area point at the centre of a cell.
  QPoint CellCentre(int column, int row) const {
    return {View().GetOriginX() + 40 * column + 20, View().GetOriginY() + 40 * row + 20};
  }
  QImage GrabView() { return Window().ViewWidget().grab().toImage(); }
  // Runs the event loop until it has nothing left to do and would wait for
  // the player.
  static void RunUntilIdle() {
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, [&loop] { loop.quit(); });
    loop.exec();
  }

  CScratchDirectory scratch;
  CQtHost host;
  CQtWindowFactory windows;
  CKaroblenApp app;
};
