// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-document application: one application object, one document, one
// main window with its bars, and one form view, made by one template.
#include "platform/afx_types.h"
#include "platform/command_target.h"
#include "platform/dc.h"
#include "platform/doc_template.h"
#include "platform/document.h"
#include "platform/frame_wnd.h"
#include "platform/view.h"
#include "platform/win_app.h"
#include "platform/wnd.h"
