// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCoreApplication>
#include <QString>
#include <QTranslator>

// Loads Qt's own translations (standard buttons, the file dialog, a line
// edit's menu) for the language the game's catalogue speaks, and turns the
// window's chrome right to left when that language is written so. English
// loads nothing and changes nothing.
void InstallQtTranslations(QCoreApplication& app);

// Loads Qt's own catalogue for `language` ("de", "pt_BR") into `translator`
// from the distribution's Qt translations; false when it has none.
bool LoadQtTranslation(const QString& language, QTranslator& translator);

// The layout direction of `language`.
Qt::LayoutDirection DirectionOf(const QString& language);
