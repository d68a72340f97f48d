// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "platform/framework.h"
#include "platform/qt/common/resource_images.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/window/form_view_widget.h"

namespace {
class CPressRecorder : public QWidget {
 public:
  int presses = 0;
  int keys = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override { ++presses; }
  void keyPressEvent(QKeyEvent*) override { ++keys; }
};

void PostPressAndKey(QWidget& widget) {
  QCoreApplication::postEvent(
      &widget, new QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1),
                               Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(&widget,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier));
}

// Draws one selected blue tile (join mask 0) and one empty cell.
class CTwoCellView : public CFormView {
 public:
  CTwoCellView() : CFormView(101) {}
  void OnDraw(CDC* pDC) override {
    ++draws;
    CBitmap tiles;
    tiles.LoadBitmap(145);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    memory.SelectObject(&tiles);
    pDC->BitBlt(0, 0, 40, 40, &memory, 0, 1 * 80 + 40, SRCCOPY);
    pDC->FillSolidRect(40, 0, 40, 40, RGB(192, 192, 192));
  }
  void OnSize(unsigned, int cx, int cy) override { sizes.push_back({cx, cy}); }
  int draws = 0;
  std::vector<CPoint> sizes;
};
}  // namespace

TEST(QtPause, HoldsPostedInputBackUntilItReturnsWhileTimersRun) {
  CQtHost host;
  CPressRecorder widget;
  widget.show();
  bool timerRan = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] { timerRan = true; });
  timer.start(5);
  PostPressAndKey(widget);
  QElapsedTimer clock;
  clock.start();
  host.Sleep(60);
  EXPECT_GE(clock.elapsed(), 60);
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(timerRan);
  EXPECT_EQ(widget.presses, 0);
  EXPECT_EQ(widget.keys, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(widget.presses, 1);
  EXPECT_EQ(widget.keys, 1);
}

// The game-over tally opens right after a move's last pause; what was held
// for the board must then be blocked like any input to a blocked window.
TEST(QtPause, HeldInputThatAModalWindowBlocksByTheTimeItIsDeliveredIsDropped) {
  CQtHost host;
  CPressRecorder widget;
  widget.show();
  PostPressAndKey(widget);
  host.Sleep(20);
  QDialog modal;
  modal.setModal(true);
  int pressesWhileModal = -1;
  int keysWhileModal = -1;
  QTimer close;
  close.setSingleShot(true);
  QObject::connect(&close, &QTimer::timeout, &modal, [&] {
    pressesWhileModal = widget.presses;
    keysWhileModal = widget.keys;
    modal.reject();
  });
  close.start(50);
  modal.exec();
  EXPECT_EQ(pressesWhileModal, 0);
  EXPECT_EQ(keysWhileModal, 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(widget.presses, 0);
  EXPECT_EQ(widget.keys, 0);
}

TEST(QtFormView, RepaintNowDrawsBeforeReturningAndPicturesAreCopiedUnchanged) {
  CQtHost host;
  SetHost(&host);
  CTwoCellView view;
  CQtFormViewWidget widget(view);
  widget.resize(200, 120);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  ASSERT_TRUE(view.HasWindow());
  EXPECT_TRUE(view.GetSite()->HasControl(1002));
  EXPECT_EQ(view.GetDlgItemText(1002), "Selected Score: 0");

  const int before = view.draws;
  view.RepaintNow();
  EXPECT_EQ(view.draws, before + 1);

  const QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Selected blue tile: black outline, black bevel top-left, blue face.
  EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(20, 20), qRgb(26, 46, 255));
  EXPECT_EQ(shot.pixel(60, 20), qRgb(192, 192, 192));
  const QImage& sheet = BitmapImage(145);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(shot.pixel(x, y), sheet.pixel(x, 120 + y)) << x << "," << y;

  widget.resize(300, 150);
  ASSERT_FALSE(view.sizes.empty());
  EXPECT_EQ(view.sizes.back(), (CPoint{300, 150}));
  SetHost(nullptr);
}
