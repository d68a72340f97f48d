// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures from the compiled-in resources, decoded once and kept: the board
// repaints far too often to decode per paint. Images last for the run;
// pixmaps only as long as the application object.
#include <QIcon>
#include <QImage>
#include <QPixmap>

// A null image or pixmap when there is no bitmap with `bitmapId`.
const QImage& BitmapImage(int bitmapId);
QPixmap BitmapPixmap(int bitmapId);
// The bitmap with its pixels of colour `key` see-through.
QPixmap KeyedBitmapPixmap(int bitmapId, QRgb key);
// Enlarged by whole factors on a dense screen (see CrispIcon); an empty icon
// when there is none.
QIcon ResourceIcon(int iconId);
