// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/common/resource_images.h"

#include <QByteArray>
#include <QPixmapCache>
#include <map>
#include <utility>

#include "platform/qt/common/crisp_icon.h"
#include "res/binary_resources.h"

namespace {
QImage Decode(res::ResourceType type, int id, const char* format) {
  const auto bytes = res::FindResource(type, id);
  if (bytes.empty()) return {};
  return QImage::fromData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size())),
                          format);
}
}  // namespace

const QImage& BitmapImage(int bitmapId) {
  static std::map<int, QImage> cache;
  auto it = cache.find(bitmapId);
  if (it == cache.end())
    it = cache.emplace(bitmapId, Decode(res::ResourceType::Bitmap, bitmapId, "BMP")).first;
  return it->second;
}

namespace {
// Pixmaps belong to the application object and must not outlive it, so they
// live in the toolkit's own cache, which the application empties as it ends.
template <typename Make>
QPixmap CachedPixmap(QPixmapCache::Key& key, Make make) {
  QPixmap pixmap;
  if (!QPixmapCache::find(key, &pixmap)) {
    pixmap = QPixmap::fromImage(make());
    key = QPixmapCache::insert(pixmap);
  }
  return pixmap;
}
}  // namespace

QPixmap BitmapPixmap(int bitmapId) {
  static std::map<int, QPixmapCache::Key> keys;
  return CachedPixmap(keys[bitmapId], [bitmapId] { return BitmapImage(bitmapId); });
}

QPixmap KeyedBitmapPixmap(int bitmapId, QRgb key) {
  static std::map<std::pair<int, QRgb>, QPixmapCache::Key> keys;
  return CachedPixmap(keys[{bitmapId, key}], [bitmapId, key] {
    QImage image = BitmapImage(bitmapId).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & RGB_MASK) == (key & RGB_MASK)) image.setPixel(x, y, 0);
    return image;
  });
}

QIcon ResourceIcon(int iconId) { return CrispIcon(Decode(res::ResourceType::Icon, iconId, "ICO")); }
