#include "platform/qt/common/resource_images.h"

#include <QByteArray>
#include <QPixmapCache>
#include <map>

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

// Pixmaps belong to the application object and must not outlive it, so they
// live in the toolkit's own cache, which the application empties as it ends.
QPixmap BitmapPixmap(int bitmapId) {
  static std::map<int, QPixmapCache::Key> keys;
  QPixmapCache::Key& key = keys[bitmapId];
  QPixmap pixmap;
  if (!QPixmapCache::find(key, &pixmap)) {
    pixmap = QPixmap::fromImage(BitmapImage(bitmapId));
    key = QPixmapCache::insert(pixmap);
  }
  return pixmap;
}

QIcon ResourceIcon(int iconId) { return CrispIcon(Decode(res::ResourceType::Icon, iconId, "ICO")); }
