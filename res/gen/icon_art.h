#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

// The program's 32 x 32, 16-colour icon as a complete .ico file.
std::vector<std::uint8_t> MakeIconFile();

}  // namespace resgen
