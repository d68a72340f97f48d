// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "res/game_texts.h"

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Reason(res::TextId what, const std::string& path, int error) {
  return res::FormatText(what, {path, std::strerror(error)});
}

// mkdir -p: an existing directory, or a symbolic link to one, is fine.
std::string MakeDirectories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
      return Reason(res::TextId::CannotCreateDirectory, prefix, errno);
    if (slash == std::string::npos) return {};
  }
}

}  // namespace

std::string DataDirectoryPath(const EnvReader& env) {
  const std::string dataHome = env("XDG_DATA_HOME");
  if (IsAbsolute(dataHome)) return dataHome + "/karoblen";
  const std::string home = env("HOME");
  if (IsAbsolute(home)) return home + "/.local/share/karoblen";
  return {};
}

std::string EnterDataDirectory(const EnvReader& env) {
  const std::string path = DataDirectoryPath(env);
  if (path.empty()) return std::string(res::Text(res::TextId::NoDataHome));
  std::string why = MakeDirectories(path);
  if (!why.empty()) return why;
  if (chdir(path.c_str()) != 0) return Reason(res::TextId::CannotEnterDirectory, path, errno);
  return {};
}

std::string EnterDataDirectory() { return EnterDataDirectory(ReadEnvironment); }
