// SPDX-License-Identifier: GPL-3.0-or-later
// Writes PNG pictures of the program's dialogs and bitmaps into a folder:
//   karoblen-shots DIR
// The dialogs are built by the same code the game runs them with, so what
// the pictures show is what a player sees (on the same desktop and fonts).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "platform/desktop/locale_directory.h"
#include "platform/dialog.h"
#include "platform/qt/common/qt_paint_surface.h"
#include "platform/qt/common/resource_images.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/qt_translations.h"
#include "res/dialog_templates.h"
#include "res/resource_ids.h"
#include "res/translation.h"

namespace {
bool Save(const QImage& image, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "karoblen-shots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// Each picture shows the dialog as it opens, before the game has filled in
// any text of its own.
bool SaveDialog(const res::DialogTemplate& dialogTemplate, const QDir& folder) {
  CDialog dialog(dialogTemplate.id);
  CQtTemplateDialog window(dialogTemplate, dialog, nullptr);
  window.show();
  QApplication::processEvents();
  const bool saved =
      Save(window.grab().toImage(), folder, QStringLiteral("dialog_%1.png").arg(dialogTemplate.id));
  window.hide();
  return saved;
}

// Whole-number enlargement without smoothing, as a high-density screen shows it.
QImage Enlarged(const QImage& image, int factor) {
  return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
// Every picture of the tile sheet with its kind's symbol over it, as the
// board paints them with Tile Symbols on, at `factor`.
QImage TilesWithSymbols(int factor) {
  const QImage& sheet = BitmapImage(IDB_TILESET);
  QImage image(sheet.size() * factor, QImage::Format_ARGB32);
  image.setDevicePixelRatio(factor);
  QPainter painter(&image);
  CQtPaintSurface surface(painter);
  for (int y = 0; y < sheet.height(); y += 40)
    for (int x = 0; x < sheet.width(); x += 40) {
      surface.Blit(x, y, 40, 40, IDB_TILESET, x, y);
      surface.BlitKeyed(x, y, 40, 40, IDB_TILESYMBOLS, y / 80 * 40, 0, RGB(255, 0, 255));
    }
  return image;
}
}  // namespace

int main(int argc, char** argv) {
  // In the language the game would speak here: LANGUAGE=de make shots.
  res::OpenCatalogues(FindLocaleDirectory());
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  if (argc != 2) {
    std::fprintf(stderr, "usage: karoblen-shots DIR\n");
    return 2;
  }
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "karoblen-shots: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  for (const res::DialogTemplate& dialogTemplate : res::DialogTemplates())
    ok = SaveDialog(dialogTemplate, folder) && ok;
  ok = Save(Enlarged(BitmapImage(IDB_TILESET), 2), folder, QStringLiteral("tileset_145_2x.png")) &&
       ok;
  for (int factor : {1, 2}) {
    const QImage tiles = TilesWithSymbols(factor);
    const QString name = QStringLiteral("tile_symbols_%1x").arg(factor);
    ok = Save(tiles, folder, name + QStringLiteral(".png")) && ok;
    ok = Save(tiles.convertToFormat(QImage::Format_Grayscale8), folder,
              name + QStringLiteral("_grey.png")) &&
         ok;
  }
  ok = Save(BitmapImage(IDB_TOOLBAR), folder, QStringLiteral("toolbar_128.png")) && ok;
  ok = Save(Enlarged(BitmapImage(IDB_TOOLBAR), 4), folder, QStringLiteral("toolbar_128_4x.png")) &&
       ok;
  return ok ? 0 : 1;
}
