// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A started application without a desktop: recording host, headless windows,
// and the real application object, run inside a scratch directory.
#include <gtest/gtest.h>

#include "app/karoblen_app.h"
#include "game/karoblen_doc.h"
#include "platform/testing/headless_window_factory.h"
#include "platform/testing/recording_host.h"
#include "tests/scores/scratch_directory.h"
#include "view/board_document.h"
#include "view/karoblen_view.h"

class AppFixture : public ::testing::Test {
 protected:
  bool Start() { return app.InitInstance(); }

  CKaroblenDoc* Doc() const {
    return static_cast<CBoardDocument*>(app.GetDocTemplate()->GetDocument());
  }
  CKaroblenView* View() const {
    return static_cast<CKaroblenView*>(app.GetDocTemplate()->GetView());
  }
  CFrameWnd* Frame() const { return app.GetDocTemplate()->GetFrame(); }

  // Clicks the centre of a cell through the view, as the player would.
  void ClickCell(int column, int row) {
    CKaroblenView* view = View();
    view->OnLButtonDown(
        0, CPoint{view->GetOriginX() + 40 * column + 20, view->GetOriginY() + 40 * row + 20});
  }

  CScratchDirectory scratch;  // first: the document loads the score file from here
  CRecordingHost host;
  CHeadlessWindowFactory windows;
  CKaroblenApp app;
};
