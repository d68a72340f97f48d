// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file-open dialog, always the toolkit's own so that it looks and
// behaves the same on every desktop.
#include <QString>
#include <QWidget>
#include <optional>
#include <string>

#include "platform/host.h"

// "Name|*.a;*.b|All|*.*||" -> "Name (*.a *.b);;All (*)".
QString ToQtNameFilters(const std::string& filter);

std::optional<std::string> ShowOpenFileDialog(QWidget* owner, const FileOpenRequest& request);
