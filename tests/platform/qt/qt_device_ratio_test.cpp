// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar pictures and the About box's icon on a dense screen. CTest runs
// these at device pixel ratios 1, 1.5 and 2 (QT_SCALE_FACTOR): each picture
// must show enlarged by a whole factor, every one of its pixels a square of
// equal device pixels, so that each edge stays one sharp step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "platform/dialog.h"
#include "platform/qt/common/qt_paint_surface.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/window/command_actions.h"
#include "res/binary_resources.h"
#include "res/command_resources.h"
#include "res/resource_ids.h"

namespace {

QImage ResourceImage(res::ResourceType type, int id, const char* format) {
  const auto bytes = res::FindResource(type, id);
  return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), format)
      .convertToFormat(QImage::Format_ARGB32);
}

// Whether `picture`, enlarged `factor` times, shows in `shot` with its top
// left corner at `at`. Pixels of the colour `skip` are see-through.
bool ShowsAt(const QImage& shot, const QImage& picture, int factor, QPoint at, QRgb skip) {
  for (int y = 0; y < picture.height() * factor; ++y)
    for (int x = 0; x < picture.width() * factor; ++x) {
      const QRgb want = picture.pixel(x / factor, y / factor);
      if (want != skip && shot.pixel(at.x() + x, at.y() + y) != want) return false;
    }
  return true;
}

struct Found {
  QPoint at{-1, -1};
  int factor = 0;
};

// Where in `shot` `picture` shows, trying the largest whole factor first.
Found FindEnlarged(const QImage& shot, const QImage& picture, QRgb skip = 0) {
  const int nearest = static_cast<int>(std::lround(qApp->devicePixelRatio()));
  for (int factor = std::max(1, nearest); factor >= 1; --factor)
    for (int y = 0; y + picture.height() * factor <= shot.height(); ++y)
      for (int x = 0; x + picture.width() * factor <= shot.width(); ++x)
        if (ShowsAt(shot, picture, factor, {x, y}, skip)) return {{x, y}, factor};
  return {};
}

QImage Shot(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(QtDeviceRatio, ToolbarPicturesAreWholeFactorEnlargementsCentredInTheirButtons) {
  const QImage strip = ResourceImage(res::ResourceType::Bitmap, IDR_MAINFRAME, "BMP");
  QToolBar bar;
  bar.setIconSize(QSize(res::ToolbarButtonWidth, res::ToolbarButtonHeight));
  QObject owner;
  CQtCommandActions actions(owner, [](int) {});
  ASSERT_TRUE(actions.FillToolBar(bar, IDR_MAINFRAME));
  bar.adjustSize();
  const QImage shot = Shot(bar);
  const qreal ratio = shot.devicePixelRatio();
  ASSERT_EQ(ratio, qApp->devicePixelRatio());

  for (const res::ToolbarItem& item : res::ToolbarItems()) {
    if (item.isSeparator()) continue;
    const QImage picture = strip.copy(item.imageIndex * res::ToolbarButtonWidth, 0,
                                      res::ToolbarButtonWidth, res::ToolbarButtonHeight);
    const Found found = FindEnlarged(shot, picture, qRgb(192, 192, 192));
    ASSERT_GE(found.factor, 1) << "picture " << item.imageIndex << " is not crisp at " << ratio;
    if (ratio == 2) {
      EXPECT_EQ(found.factor, 2);
    }
    // Centred on its button, give or take the style's rounding of an odd
    // margin to whole logical pixels and ours to whole device pixels.
    const QRectF button = QRectF(bar.widgetForAction(actions.Action(item.command))->geometry());
    const QPointF centre =
        QPointF(found.at) + QPointF(picture.width(), picture.height()) * found.factor / 2.0;
    const qreal slack = 0.5 * ratio + 0.5;
    EXPECT_NEAR(centre.x(), button.center().x() * ratio, slack) << item.imageIndex;
    EXPECT_NEAR(centre.y(), button.center().y() * ratio, slack) << item.imageIndex;
  }
}

TEST(QtDeviceRatio, AboutBoxIconIsAWholeFactorEnlargement) {
  const QImage icon = ResourceImage(res::ResourceType::Icon, IDR_MAINFRAME, "ICO");
  ASSERT_EQ(icon.size(), QSize(32, 32));
  CDialog about(IDD_ABOUTBOX);
  CQtTemplateDialog window(*res::FindDialogTemplate(IDD_ABOUTBOX), about, nullptr);
  const Found found = FindEnlarged(Shot(window), icon);
  ASSERT_GE(found.factor, 1) << "the icon is not crisp at " << qApp->devicePixelRatio();
  if (qApp->devicePixelRatio() == 2) {
    EXPECT_EQ(found.factor, 2);
  }
}

// A lone tile of `kind` as the board paints it at `factor`, with its mark or
// without.
QImage PaintTile(int kind, int factor, bool marked) {
  QImage image(40 * factor, 40 * factor, QImage::Format_ARGB32);
  image.setDevicePixelRatio(factor);
  QPainter painter(&image);
  CQtPaintSurface surface(painter);
  surface.Blit(0, 0, 40, 40, IDB_TILESET, 0, kind * 80);
  if (marked) surface.BlitKeyed(0, 0, 40, 40, IDB_TILESYMBOLS, kind * 40, 0, RGB(255, 0, 255));
  return image;
}

// Each kind's mark lies over its tile pixel for pixel, every pixel a square
// of `factor` device pixels, white edged in black, and leaves the rest of the
// tile (bevel, outline, seam) exactly as it was; the marks differ by shape.
TEST(QtDeviceRatio, TileSymbolsSitWholeOnTheirTilesAtOneAndTwoTimes) {
  const QImage sheet = ResourceImage(res::ResourceType::Bitmap, IDB_TILESYMBOLS, "BMP");
  ASSERT_EQ(sheet.size(), QSize(200, 40));
  const QRgb key = qRgb(255, 0, 255);
  // Hand-counted from the pictures: white pixels, then black ones.
  const int kWhite[5] = {68, 76, 100, 98, 56};
  const int kBlack[5] = {68, 56, 44, 44, 36};
  std::vector<std::vector<bool>> shapes;
  for (int kind = 0; kind < 5; ++kind) {
    const QImage mark = sheet.copy(kind * 40, 0, 40, 40);
    EXPECT_EQ(mark.pixel(0, 0), key);
    std::vector<bool> shape;
    int white = 0, black = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        white += mark.pixel(x, y) == qRgb(255, 255, 255);
        black += mark.pixel(x, y) == qRgb(0, 0, 0);
        shape.push_back(mark.pixel(x, y) == qRgb(255, 255, 255));
        // Inside the face of a lone tile, clear of its bevels.
        if (mark.pixel(x, y) != key) {
          EXPECT_TRUE(x >= 6 && x <= 31 && y >= 6 && y <= 31);
        }
      }
    EXPECT_EQ(white, kWhite[kind]) << kind;
    EXPECT_EQ(black, kBlack[kind]) << kind;
    shapes.push_back(shape);
    for (int factor : {1, 2}) {
      SCOPED_TRACE(std::to_string(kind) + " at " + std::to_string(factor));
      const QImage plain = PaintTile(kind, factor, false);
      const QImage marked = PaintTile(kind, factor, true);
      int wrong = 0;
      for (int y = 0; y < 40 * factor; ++y)
        for (int x = 0; x < 40 * factor; ++x) {
          const QRgb want = mark.pixel(x / factor, y / factor);
          wrong += (marked.pixel(x, y) & RGB_MASK) !=
                   ((want == key ? plain.pixel(x, y) : want) & RGB_MASK);
        }
      EXPECT_EQ(wrong, 0);
    }
  }
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b) {
      int differ = 0;
      for (std::size_t i = 0; i < shapes[a].size(); ++i) differ += shapes[a][i] != shapes[b][i];
      EXPECT_GE(differ, 40) << a << " and " << b;
    }
}

}  // namespace
