// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// News for a screen reader that has no place on the screen: a move's new
// score, the result of a finished game.
//
// Qt 6.4 has no announcement event for AT-SPI, and a screen reader ignores a
// renamed object unless it has the focus. What it does speak, wherever the
// focus is, is an object of the notification role that is shown: Qt turns
// QAccessible::ObjectShow into AT-SPI's object:state-changed:showing. So the
// news is a notification object, never drawn, named with the text and shown
// once per announcement, one object for each of the last few.
#include <QString>

void AnnounceToAssistiveTechnology(const QString& text);
