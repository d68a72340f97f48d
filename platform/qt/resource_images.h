#pragma once
// Pictures from the compiled-in resources, decoded once and kept for the
// rest of the run: the board repaints far too often to decode per paint.
#include <QIcon>
#include <QImage>
#include <QPixmap>

// A null image or pixmap when there is no bitmap with `bitmapId`.
const QImage& BitmapImage(int bitmapId);
const QPixmap& BitmapPixmap(int bitmapId);
// An empty icon when there is none.
QIcon ResourceIcon(int iconId);
