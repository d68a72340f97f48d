// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_translations.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/qt/common/qt_text.h"
#include "res/translation.h"

Qt::LayoutDirection DirectionOf(const QString& language) {
  return QLocale(language).textDirection();
}

bool LoadQtTranslation(const QString& language, QTranslator& translator) {
  return translator.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void InstallQtTranslations(QCoreApplication& app) {
  const QString language = ToQString(res::CatalogueLanguage());
  if (language.isEmpty()) return;
  // Owned by the application, which outlives every window that asks it.
  auto* qt = new QTranslator(&app);
  if (LoadQtTranslation(language, *qt)) QCoreApplication::installTranslator(qt);
  // Qt would take the direction from its own catalogue, which not every
  // language has; the game's language decides.
  QGuiApplication::setLayoutDirection(DirectionOf(language));
}
