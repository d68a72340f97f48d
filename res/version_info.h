// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's version resource.

namespace res {

struct VersionInfo {
  int fileVersion[4];
  int productVersion[4];
  const char* fileVersionText;
  const char* productVersionText;
  const char* fileDescription;
  const char* internalName;
  const char* productName;
  const char* companyName;     // author
  const char* legalCopyright;  // author
  int language;                // US English
  int codePage;                // Unicode
};

inline constexpr VersionInfo kVersionInfo{
    {1, 1, 0, 0},
    {1, 1, 0, 0},
    "1, 1, 0, 0",
    "1, 1, 0, 0",
    "Karoblen",
    "Karoblen",
    "Karoblen",
    "the Karoblen team",
    "Copyright (C) the Karoblen team",
    0x0409,
    1200,
};

}  // namespace res
