#pragma once

// What the program says when it cannot start: one line on the terminal, and
// the same words in a message box when a desktop is there to show one.

#include <string>
#include <string_view>

namespace res {

// The version the build was configured with, as --version shows it.
std::string VersionText();

// `why` says which directory failed and how.
std::string DataDirectoryFailureText(std::string_view why);

}  // namespace res
