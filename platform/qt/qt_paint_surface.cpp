#include "platform/qt/qt_paint_surface.h"

#include "platform/qt/resource_images.h"

CQtPaintSurface::CQtPaintSurface(QPainter& painter) : m_painter(painter) {
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

void CQtPaintSurface::Blit(int x, int y, int width, int height, int bitmapId, int srcX, int srcY) {
  const QPixmap picture = BitmapPixmap(bitmapId);
  if (picture.isNull()) return;
  m_painter.drawPixmap(QRect(x, y, width, height), picture, QRect(srcX, srcY, width, height));
}

void CQtPaintSurface::Fill(int x, int y, int width, int height, COLORREF colour) {
  m_painter.fillRect(QRect(x, y, width, height),
                     QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
}
