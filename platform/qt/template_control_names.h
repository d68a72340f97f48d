#pragma once
// What a screen reader calls the parts of a window built from a template:
// each field after the text that labels it, a window without a caption after
// the framed text that stands as its title, and a table of texts as a table.
#include <QWidget>

#include "platform/qt/qt_control_site.h"
#include "res/dialog_templates.h"

void NameTemplateControls(const res::DialogTemplate& dialogTemplate, const CQtControlSite& site,
                          QWidget& window);
