#pragma once
// One widget per control of a dialog template, placed at its template
// rectangle converted from dialog units.
#include <QLabel>
#include <QWidget>

#include "platform/qt/dialog_units.h"
#include "res/dialog_templates.h"

// Creates the widget for `control` as a child of `parent`, hidden or
// disabled as the template says.
QWidget* CreateTemplateControl(const res::ControlTemplate& control, const DialogBaseUnits& units,
                               QWidget* parent);

// Word-wraps a text box of several lines; widens a one-line box whose text
// does not fit, keeping its alignment. Called again after each change.
void FitStaticToText(QLabel& label);
