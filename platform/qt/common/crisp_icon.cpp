// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/common/crisp_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

namespace {

class CCrispIconEngine final : public QIconEngine {
 public:
  explicit CCrispIconEngine(const QImage& picture)
      : m_picture(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

  QIconEngine* clone() const override { return new CCrispIconEngine(m_picture); }
  QString key() const override { return QStringLiteral("KaroblenCrispIcon"); }
  bool isNull() override { return m_picture.isNull(); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {m_picture.size()}; }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    QSize actual = m_picture.size();
    if (actual.width() > size.width() || actual.height() > size.height())
      actual.scale(size, Qt::KeepAspectRatio);
    return actual;
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const QImage picture = InMode(mode);
    if (actualSize(size, mode, QIcon::Off) == picture.size()) return QPixmap::fromImage(picture);
    return QPixmap::fromImage(picture.scaled(size, Qt::KeepAspectRatio, Qt::FastTransformation));
  }

  // `size` is in device pixels. The icon sets the ratio of the pixmap
  // returned from the ratio asked for only when the pixmap fills `size`,
  // so the enlarged picture goes onto a transparent canvas of that size.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    if (scale <= 1.0) return pixmap(size, mode, state);
    const QImage picture = InMode(mode);
    int factor = std::max(1, static_cast<int>(std::lround(scale)));
    while (factor > 1 &&
           (picture.width() * factor > size.width() || picture.height() * factor > size.height()))
      --factor;
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    const QSize enlarged = picture.size() * factor;
    QPainter painter(&canvas);
    painter.drawImage(
        QPoint((size.width() - enlarged.width()) / 2, (size.height() - enlarged.height()) / 2),
        picture.scaled(enlarged, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.end();
    QPixmap result = QPixmap::fromImage(canvas);
    result.setDevicePixelRatio(scale);
    return result;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device()->devicePixelRatio();
    const QPixmap pixmap = scaledPixmap(rect.size() * scale, mode, state, scale);
    const QSize logical = pixmap.deviceIndependentSize().toSize();
    painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, logical, rect),
                        pixmap);
  }

 private:
  // A greyed or highlighted button shows the style's own version of the
  // picture, made before enlarging so that it stays crisp too.
  QImage InMode(QIcon::Mode mode) const {
    if (mode == QIcon::Normal || !qobject_cast<QApplication*>(QCoreApplication::instance()))
      return m_picture;
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()
        ->generatedIconPixmap(mode, QPixmap::fromImage(m_picture), &option)
        .toImage();
  }

  QImage m_picture;
};

}  // namespace

QIcon CrispIcon(const QImage& picture) {
  if (picture.isNull()) return {};
  return QIcon(new CCrispIconEngine(picture));
}
