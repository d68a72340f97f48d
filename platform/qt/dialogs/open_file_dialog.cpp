// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/dialogs/open_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "platform/qt/common/qt_text.h"

QString ToQtNameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;  // the "||" that ends the list
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    }
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> ShowOpenFileDialog(QWidget* owner, const FileOpenRequest& request) {
  QFileDialog dialog(owner, ToQString(request.title), QDir::currentPath());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The list shows each filter's own name only: the game's names already say
  // which extensions they take, and the patterns added to them would repeat it.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((request.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
  const QString filters = ToQtNameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilter(filters);
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(ToQString(request.defaultExt));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return ToStdString(QDir::toNativeSeparators(chosen.front()));
}
