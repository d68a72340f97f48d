// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QCoreApplication>
#include <QString>

// Loads Qt's own translations (standard buttons, the file dialog, a line
// edit's menu) for the language the game's catalogue speaks, and turns the
// window's chrome right to left when that language is written so. English
// loads nothing and changes nothing.
void InstallQtTranslations(QCoreApplication& app);

// The layout direction of `language` ("he", "pt_BR").
Qt::LayoutDirection DirectionOf(const QString& language);
