// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One widget per control of a dialog template, placed at its template
// rectangle converted from dialog units.
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#include "platform/qt/dialogs/dialog_units.h"
#include "res/dialog_templates.h"

// Creates the widget for `control` as a child of `parent`, hidden or
// disabled as the template says.
QWidget* CreateTemplateControl(const res::ControlTemplate& control, const DialogBaseUnits& units,
                               QWidget* parent);

// Draws the edge that `control`'s style puts around `widget` (a raised frame
// around a text, a sunken edge around a button) onto the window behind it.
void DrawControlEdges(QPainter& painter, const QPalette& palette,
                      const res::ControlTemplate& control, const QWidget& widget);

// Word-wraps a text box of several lines; widens a one-line box whose text
// does not fit, keeping its alignment. Called again after each change.
void FitStaticToText(QLabel& label);
