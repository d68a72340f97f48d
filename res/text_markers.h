// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Both text tables mark the places of their values the same way, "%1" to
// "%9", so that a translation may put the values in another order.
#include <initializer_list>
#include <string>
#include <string_view>

namespace res {

// `format` with each "%1" to "%9" replaced by that value. A marker without a
// value is left out, and a value is never read as a marker.
std::string FillMarkers(std::string_view format, std::initializer_list<std::string_view> values);

}  // namespace res
