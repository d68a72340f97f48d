// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/binary_resources.h"

namespace res {

std::span<const std::uint8_t> FindResource(ResourceType type, int id) {
  for (const detail::EmbeddedFile& file : detail::EmbeddedFiles()) {
    if (file.type == type && file.id == id) return {file.data, file.size};
  }
  return {};
}

}  // namespace res
