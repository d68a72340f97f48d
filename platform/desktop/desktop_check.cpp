// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/desktop_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

#include "res/game_texts.h"

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for a display across a slow network to answer, short enough
// that a player who starts the game over a dead remote session is not left
// waiting in silence.
constexpr std::chrono::seconds kNetworkDisplayTimeout{5};
// X servers listen on this TCP port plus the display number.
constexpr int kX11TcpPortBase = 6000;

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Where an X display name ("[protocol/][host]:number[.screen]") says to
// connect: a local socket, a TCP port of a host, or something this check
// does not understand, which is then left to the toolkit.
struct X11Address {
  enum Kind { Local, Tcp, Unknown } kind = Unknown;
  std::string host;
  int number = 0;
};

X11Address ParseDisplay(const std::string& display) {
  std::string rest = display;
  std::string protocol;
  const std::size_t slash = rest.find('/');
  if (slash != std::string::npos) {
    protocol = rest.substr(0, slash);
    rest = rest.substr(slash + 1);
  }
  const std::size_t colon = rest.rfind(':');
  if (colon == std::string::npos) return {};
  std::string host = rest.substr(0, colon);
  // A double colon names a DECnet node.
  if (!host.empty() && host.back() == ':' && host.front() != '[') return {};
  const std::string digits = rest.substr(colon + 1, rest.find('.', colon) - colon - 1);
  if (digits.empty() || digits.size() > 5 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  X11Address address;
  address.number = std::atoi(digits.c_str());
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  if (protocol == "unix" || (protocol.empty() && (host.empty() || host == "unix"))) {
    address.kind = X11Address::Local;
  } else if (protocol.empty() || protocol == "tcp" || protocol == "inet" || protocol == "inet6") {
    address.kind = X11Address::Tcp;
    address.host = host.empty() ? "localhost" : host;
  }
  return address;
}

struct Probes {
  const SocketProbe& local;
  const TcpProbe& tcp;
};

std::string CheckX11(const std::string& display, const Probes& probes) {
  if (display.empty()) return std::string(res::Text(res::TextId::DisplayNotSet));
  const X11Address address = ParseDisplay(display);
  bool answers = true;
  if (address.kind == X11Address::Local) {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(address.number);
    answers = probes.local(path) || probes.local("@" + path);
  } else if (address.kind == X11Address::Tcp) {
    answers = probes.tcp(address.host, kX11TcpPortBase + address.number);
  }
  return answers ? std::string() : res::FormatText(res::TextId::NoXServer, {display});
}

std::string CheckWayland(const std::string& socket, const std::string& runtimeDir,
                         const Probes& probes) {
  if (socket.empty()) return std::string(res::Text(res::TextId::WaylandNotSet));
  const std::string path = StartsWith(socket, "/") ? socket : runtimeDir + "/" + socket;
  if (probes.local(path)) return {};
  return res::FormatText(res::TextId::NoWaylandCompositor, {path});
}

// Both reasons, when neither desktop could be reached.
std::string Neither(const std::string& wayland, const std::string& x11) {
  return res::FormatText(res::TextId::NeitherDesktop, {wayland, x11});
}

}  // namespace

std::string FindMissingDesktop(const EnvReader& env, const SocketProbe& probe,
                               const TcpProbe& tcpProbe) {
  const Probes probes{probe, tcpProbe};
  const std::string platform = env("QT_QPA_PLATFORM");
  const std::string display = env("DISPLAY");
  const std::string wayland = env("WAYLAND_DISPLAY");
  const std::string runtimeDir = env("XDG_RUNTIME_DIR");

  // The toolkit takes a list such as "wayland;xcb" and tries it in order.
  if (StartsWith(platform, "xcb")) return CheckX11(display, probes);
  const bool waylandAsked = StartsWith(platform, "wayland");
  // Offscreen, framebuffer, VNC and the like need no desktop of ours.
  if (!platform.empty() && !waylandAsked) return {};
  if (!waylandAsked && wayland.empty()) return CheckX11(display, probes);

  std::string why = CheckWayland(wayland, runtimeDir, probes);
  const bool x11Fallback = !waylandAsked || platform.find("xcb") != std::string::npos;
  if (why.empty() || !x11Fallback) return why;
  const std::string x11 = CheckX11(display, probes);
  return x11.empty() ? x11 : Neither(why, x11);
}

std::string ReadEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::string(value) : std::string();
}

std::string FindMissingDesktop() {
  return FindMissingDesktop(ReadEnvironment, CanConnectLocalSocket,
                            [](const std::string& host, int port) {
                              return CanConnectTcp(host, port, kNetworkDisplayTimeout);
                            });
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

namespace {

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

// A name lookup that runs on the resolver's own thread. Its memory must stay
// valid for as long as that thread may write to it, so a lookup that is given
// up on and cannot be cancelled is left to finish on its own.
struct Lookup {
  std::string host;
  std::string service;
  addrinfo hints{};
  gaicb request{};
};

addrinfo* Resolve(const std::string& host, int port, Clock::time_point deadline) {
  auto lookup = std::make_unique<Lookup>();
  lookup->host = host;
  lookup->service = std::to_string(port);
  lookup->hints.ai_family = AF_UNSPEC;
  lookup->hints.ai_socktype = SOCK_STREAM;
  lookup->hints.ai_flags = AI_NUMERICSERV;
  lookup->request.ar_name = lookup->host.c_str();
  lookup->request.ar_service = lookup->service.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* requests[] = {&lookup->request};
  if (getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr) != 0) return nullptr;
  while (gai_error(&lookup->request) == EAI_INPROGRESS) {
    const int left = MillisecondsLeft(deadline);
    if (left == 0) {
      if (gai_cancel(&lookup->request) != EAI_CANCELED) (void)lookup.release();
      return nullptr;
    }
    const timespec wait{left / 1000, (left % 1000) * 1000000L};
    gai_suspend(requests, 1, &wait);
  }
  return gai_error(&lookup->request) == 0 ? lookup->request.ar_result : nullptr;
}

bool ConnectsBefore(const addrinfo& address, Clock::time_point deadline) {
  const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool connected = connect(fd, address.ai_addr, address.ai_addrlen) == 0;
  if (!connected && errno == EINPROGRESS) {
    pollfd wait{fd, POLLOUT, 0};
    int ready = 0;
    while ((ready = poll(&wait, 1, MillisecondsLeft(deadline))) < 0 && errno == EINTR) {
    }
    int error = 0;
    socklen_t length = sizeof error;
    connected =
        ready == 1 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
  }
  close(fd);
  return connected;
}

}  // namespace

bool CanConnectTcp(const std::string& host, int port, std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  addrinfo* addresses = Resolve(host, port, deadline);
  bool connected = false;
  for (const addrinfo* address = addresses; address && !connected; address = address->ai_next)
    connected = MillisecondsLeft(deadline) > 0 && ConnectsBefore(*address, deadline);
  if (addresses) freeaddrinfo(addresses);
  return connected;
}
