// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/sound/pulse_server_socket.h"

#include <string_view>

std::string PulseServerSocket(const EnvironmentLookup& environment) {
  const auto set = [&](const char* name) -> std::string_view {
    const char* value = environment(name);
    return value ? value : "";
  };
  if (const std::string_view server = set("PULSE_SERVER"); !server.empty()) {
    // Only a single local socket is watched; a list or a network server is
    // left to the next sound.
    constexpr std::string_view kUnix = "unix:";
    if (!server.starts_with(kUnix) || server.find(' ') != std::string_view::npos) return {};
    const std::string_view path = server.substr(kUnix.size());
    return path.starts_with('/') ? std::string(path) : std::string();
  }
  if (const std::string_view runtime = set("PULSE_RUNTIME_PATH"); runtime.starts_with('/'))
    return std::string(runtime) + "/native";
  if (const std::string_view session = set("XDG_RUNTIME_DIR"); session.starts_with('/'))
    return std::string(session) + "/pulse/native";
  return {};
}
