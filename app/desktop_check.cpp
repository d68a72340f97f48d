#include "app/desktop_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The display number of a local X display (":0", ":1.0", "unix:2"), or
// empty for a remote or unusual one, which is then left to the toolkit.
std::string LocalDisplayNumber(const std::string& display) {
  std::string rest;
  if (StartsWith(display, ":")) {
    rest = display.substr(1);
  } else if (StartsWith(display, "unix:")) {
    rest = display.substr(5);
  } else {
    return {};
  }
  std::string number;
  for (char c : rest) {
    if (c < '0' || c > '9') break;
    number += c;
  }
  return number;
}

std::string CheckX11(const std::string& display, const SocketProbe& probe) {
  if (display.empty()) return "DISPLAY is not set";
  const std::string number = LocalDisplayNumber(display);
  if (number.empty()) return {};
  const std::string path = "/tmp/.X11-unix/X" + number;
  if (probe(path) || probe("@" + path)) return {};
  return "no X server answers on display " + display;
}

std::string CheckWayland(const std::string& socket, const std::string& runtimeDir,
                         const SocketProbe& probe) {
  if (socket.empty()) return "WAYLAND_DISPLAY is not set";
  const std::string path = StartsWith(socket, "/") ? socket : runtimeDir + "/" + socket;
  if (probe(path)) return {};
  return "no Wayland compositor answers at " + path;
}

}  // namespace

std::string FindMissingDesktop(const EnvReader& env, const SocketProbe& probe) {
  const std::string platform = env("QT_QPA_PLATFORM");
  const std::string display = env("DISPLAY");
  const std::string wayland = env("WAYLAND_DISPLAY");
  const std::string runtimeDir = env("XDG_RUNTIME_DIR");

  // The toolkit takes a list such as "wayland;xcb" and tries it in order.
  if (StartsWith(platform, "xcb")) return CheckX11(display, probe);
  if (StartsWith(platform, "wayland")) {
    std::string why = CheckWayland(wayland, runtimeDir, probe);
    if (!why.empty() && platform.find("xcb") != std::string::npos) {
      if (CheckX11(display, probe).empty()) return {};
    }
    return why;
  }
  // Offscreen, framebuffer, VNC and the like need no desktop of ours.
  if (!platform.empty()) return {};

  if (!wayland.empty() && CheckWayland(wayland, runtimeDir, probe).empty()) return {};
  if (display.empty() && wayland.empty()) return "DISPLAY is not set";
  return CheckX11(display, probe);
}

std::string FindMissingDesktop() {
  return FindMissingDesktop(
      [](const std::string& name) {
        const char* value = std::getenv(name.c_str());
        return value ? std::string(value) : std::string();
      },
      CanConnectLocalSocket);
}

bool CanConnectLocalSocket(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
  if (path[0] == '@') {
    address.sun_path[0] = '\0';
  } else {
    length += 1;  // the terminating zero of a path name
  }
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  close(fd);
  return connected;
}
