// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game keeps its score file when the desktop menu starts it. The
// score file is always Karoblen.scr in the current directory; a menu starts
// programs in the home directory, so the menu entry asks the game to move
// into a directory of its own first rather than leave the file in $HOME.
#include <string>

#include "platform/desktop/desktop_check.h"  // EnvReader

// $XDG_DATA_HOME/karoblen, or $HOME/.local/share/karoblen when XDG_DATA_HOME
// is unset or not an absolute path. Empty when HOME is no absolute path either.
std::string DataDirectoryPath(const EnvReader& env);

// Creates that directory and any missing parent (mode 0700, as the desktop's
// base-directory rules ask for data directories) and makes it the current
// directory. Empty on success, otherwise the reason, fit to print; the
// current directory is then unchanged.
std::string EnterDataDirectory(const EnvReader& env);
std::string EnterDataDirectory();
