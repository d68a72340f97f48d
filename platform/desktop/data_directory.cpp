#include "platform/desktop/data_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool IsAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

std::string Reason(const char* what, const std::string& path, int error) {
  return std::string(what) + " " + path + " (" + std::strerror(error) + ")";
}

// mkdir -p: an existing directory, or a symbolic link to one, is fine.
std::string MakeDirectories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
      return Reason("cannot create", prefix, errno);
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
  if (path.empty()) return "neither XDG_DATA_HOME nor HOME names an absolute directory";
  std::string why = MakeDirectories(path);
  if (!why.empty()) return why;
  if (chdir(path.c_str()) != 0) return Reason("cannot enter", path, errno);
  return {};
}

std::string EnterDataDirectory() {
  return EnterDataDirectory([](const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? std::string(value) : std::string();
  });
}
