// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/text_markers.h"

#include <cstddef>

namespace res {

std::string FillMarkers(std::string_view format, std::initializer_list<std::string_view> values) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool marker =
        format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9';
    if (!marker) {
      out += format[i];
      continue;
    }
    const auto n = static_cast<std::size_t>(format[++i] - '1');
    if (n < values.size()) out += values.begin()[n];
  }
  return out;
}

}  // namespace res
