// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every English text of the tables with the context it is translated in: what
// the catalogue template (po/karoblen.pot) is made from.
#include <string>
#include <vector>

namespace res {

struct CatalogueEntry {
  std::string context;
  std::string english;
  std::string note;  // a word for the translator on where the text appears
};

// In table order, each (context, text) once; texts without a letter left out.
std::vector<CatalogueEntry> CatalogueEntries();

}  // namespace res
