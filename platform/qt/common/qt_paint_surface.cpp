// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/common/qt_paint_surface.h"

#include "platform/qt/common/resource_images.h"

CQtPaintSurface::CQtPaintSurface(QPainter& painter) : m_painter(painter) {
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void CQtPaintSurface::Blit(int x, int y, int width, int height, int bitmapId, int srcX, int srcY) {
  const QPixmap picture = BitmapPixmap(bitmapId);
  if (picture.isNull()) return;
  m_painter.drawPixmap(QRect(x, y, width, height), picture, QRect(srcX, srcY, width, height));
}

void CQtPaintSurface::BlitKeyed(int x, int y, int width, int height, int bitmapId, int srcX,
                                int srcY, COLORREF key) {
  const QPixmap picture =
      KeyedBitmapPixmap(bitmapId, qRgb(GetRValue(key), GetGValue(key), GetBValue(key)));
  if (picture.isNull()) return;
  m_painter.drawPixmap(QRect(x, y, width, height), picture, QRect(srcX, srcY, width, height));
}

void CQtPaintSurface::Fill(int x, int y, int width, int height, COLORREF colour) {
  m_painter.fillRect(QRect(x, y, width, height),
                     QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
}

void CQtPaintSurface::FocusFrame(int x, int y, int width, int height) {
  constexpr int kDot = 2;
  // A checkerboard with a black top-left square, kept to the ring.
  for (int dy = 0; dy + kDot <= height; dy += kDot) {
    for (int dx = 0; dx + kDot <= width; dx += kDot) {
      const bool ring = dx == 0 || dy == 0 || dx + 2 * kDot > width || dy + 2 * kDot > height;
      if (!ring) continue;
      const bool black = (dx / kDot + dy / kDot) % 2 == 0;
      m_painter.fillRect(QRect(x + dx, y + dy, kDot, kDot), black ? Qt::black : Qt::white);
    }
  }
}
