// SPDX-License-Identifier: GPL-3.0-or-later
#include "scratch_directory.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

CScratchDirectory::CScratchDirectory() : m_previous(fs::current_path()) {
  std::string pattern = (fs::temp_directory_path() / "karoblen-scores-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_path = pattern;
  fs::current_path(m_path);
}

CScratchDirectory::~CScratchDirectory() {
  std::error_code ignored;
  fs::current_path(m_previous, ignored);
  // A test may have made directories read-only.
  ::chmod(m_path.c_str(), 0700);
  for (const auto& entry : fs::recursive_directory_iterator(m_path, ignored))
    if (entry.is_directory() && !entry.is_symlink()) ::chmod(entry.path().c_str(), 0700);
  fs::remove_all(m_path, ignored);
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> LeftoverTemporaryFiles(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("Karoblen.scr.")) names.push_back(name);
  }
  return names;
}
