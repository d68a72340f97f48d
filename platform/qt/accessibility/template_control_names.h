// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader calls the parts of a window built from a template:
// each field after the text that labels it, a window without a caption after
// the framed text that stands as its title, and a table of texts as a table.
#include <QWidget>
#include <vector>

#include "res/dialog_templates.h"

// `controls` holds the window's widget for each control of the template, in
// template order.
void NameTemplateControls(const res::DialogTemplate& dialogTemplate,
                          const std::vector<QWidget*>& controls, QWidget& window);
