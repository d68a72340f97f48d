// SPDX-License-Identifier: GPL-3.0-or-later
// Pixmaps belong to one application object: a picture kept from an ended
// application is not handed to the next one.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

#include "platform/qt/common/resource_images.h"
#include "res/resource_ids.h"
#include "tests/private_session.h"

TEST(PixmapLifetime, EndedApplicationTakesItsPixmapsAlong) {
  const CPrivateSession session;
  int argc = 1;
  char name[] = "qt_pixmap_lifetime_test";
  char* argv[] = {name, nullptr};
  auto app = std::make_unique<QGuiApplication>(argc, argv);
  const qint64 first = BitmapPixmap(IDB_TILESET).cacheKey();
  EXPECT_EQ(BitmapPixmap(IDB_TILESET).cacheKey(), first);
  app.reset();

  app = std::make_unique<QGuiApplication>(argc, argv);
  const QPixmap again = BitmapPixmap(IDB_TILESET);
  EXPECT_FALSE(again.isNull());
  EXPECT_NE(again.cacheKey(), first);
}
