// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A blocking message box: OK or Yes/No, with a question, exclamation,
// information or no icon, as MB_* flags describe it.
#include <QWidget>
#include <string>

// Returns IDOK, IDYES or IDNO.
int ShowMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                   unsigned type);
