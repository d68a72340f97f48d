// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>

QFont TemplateFont(int pointSize) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(pointSize);
  return font;
}

namespace {
int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : (product - half) / denominator);
}
}  // namespace

int DialogBaseUnits::ToPixelsX(int units) const { return MulDivRounded(units, avgCharWidth, 4); }

int DialogBaseUnits::ToPixelsY(int units) const { return MulDivRounded(units, charHeight, 8); }

QRect DialogBaseUnits::ToPixels(int x, int y, int width, int height) const {
  return QRect(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height));
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int alphabet = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogBaseUnits{(alphabet / 26 + 1) / 2, metrics.height()};
}
