// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

// Where the message catalogues lie: "locale" beside the program in the build
// tree, else "../share/locale" from the program's directory, which is where
// an install under any prefix puts them.
std::string FindLocaleDirectory();
