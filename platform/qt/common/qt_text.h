// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game speaks UTF-8 std::string, Qt speaks QString.
#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }
