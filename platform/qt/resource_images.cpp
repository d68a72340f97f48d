#include "platform/qt/resource_images.h"

#include <QByteArray>
#include <map>

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

const QPixmap& BitmapPixmap(int bitmapId) {
  static std::map<int, QPixmap> cache;
  auto it = cache.find(bitmapId);
  if (it == cache.end())
    it = cache.emplace(bitmapId, QPixmap::fromImage(BitmapImage(bitmapId))).first;
  return it->second;
}

QIcon ResourceIcon(int iconId) {
  const QImage image = Decode(res::ResourceType::Icon, iconId, "ICO");
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
