// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/locale_directory.h"

#include <filesystem>
#include <system_error>

std::string FindLocaleDirectory() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return "/usr/share/locale";
  const fs::path beside = program.parent_path() / "locale";
  if (fs::is_directory(beside, error)) return beside.string();
  return (program.parent_path().parent_path() / "share" / "locale").string();
}
