// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Icons made from small palette pictures, which must stay as crisp as the
// tiles on a dense screen: enlarged by whole factors, pixel for pixel, never
// smoothed.
#include <QIcon>
#include <QImage>

// At a device pixel ratio of 1 the picture is shown as it is. At any other
// ratio it is enlarged by the nearest whole factor that still fits the size
// asked for (at least 1) and centred in that size, so that its pixels fall
// on whole device pixels.
QIcon CrispIcon(const QImage& picture);
