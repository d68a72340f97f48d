// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program can put up a window, decided before the toolkit starts.
#include "platform/desktop/desktop_check.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <set>
#include <string>

namespace {

struct Desktop {
  std::map<std::string, std::string> env;
  std::set<std::string> listening;  // socket paths, or "host:port" over TCP

  std::string Missing() const {
    return FindMissingDesktop(
        [this](const std::string& name) {
          auto it = env.find(name);
          return it == env.end() ? std::string() : it->second;
        },
        [this](const std::string& path) { return listening.count(path) > 0; },
        [this](const std::string& host, int port) {
          return listening.count(host + ":" + std::to_string(port)) > 0;
        });
  }
};

// Whether the loopback network is up: some build machines have it down,
// where a socket binds and listens on it but nothing can reach it. Only
// choosing a route matters, so a datagram socket sends nothing.
bool LoopbackIsUp() {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(9);
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const bool up =
      fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) close(fd);
  return up;
}

// A TCP socket on the loopback address that listens but never accepts.
class LoopbackListener {
 public:
  LoopbackListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    // A backlog of zero holds one pending connection; the next one waits.
    if (bind(m_fd, generic, length) == 0 && listen(m_fd, 0) == 0 &&
        getsockname(m_fd, generic, &length) == 0)
      m_port = ntohs(address.sin_port);
  }
  ~LoopbackListener() { close(m_fd); }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;
  int Port() const { return m_port; }

 private:
  int m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int m_port = 0;
};

TEST(DesktopCheckTest, NothingSetMeansNoDesktop) {
  EXPECT_EQ(Desktop{}.Missing(), "DISPLAY is not set");
}

TEST(DesktopCheckTest, LocalX11DisplayMustAnswerOnItsSocket) {
  Desktop d{{{"DISPLAY", ":97"}}, {}};
  EXPECT_EQ(d.Missing(), "no X server answers on display :97");
  d.listening = {"/tmp/.X11-unix/X97"};
  EXPECT_EQ(d.Missing(), "");
  d.listening = {"@/tmp/.X11-unix/X97"};  // abstract socket only
  EXPECT_EQ(d.Missing(), "");
  d.env["DISPLAY"] = "unix:3.0";
  d.listening = {"/tmp/.X11-unix/X3"};
  EXPECT_EQ(d.Missing(), "");
}

TEST(DesktopCheckTest, NetworkDisplayMustAnswerOnItsPort) {
  // As after a remote session has ended: nothing behind the forwarded port.
  Desktop d{{{"DISPLAY", "localhost:99"}}, {}};
  EXPECT_EQ(d.Missing(), "no X server answers on display localhost:99");
  d.listening = {"localhost:6099"};
  EXPECT_EQ(d.Missing(), "");
  // Screen numbers, protocol prefixes and bracketed addresses.
  const std::map<std::string, std::string> addresses{{"otherhost:10.0", "otherhost:6010"},
                                                     {"tcp/otherhost:2", "otherhost:6002"},
                                                     {"inet6/[::1]:3", "::1:6003"},
                                                     {"[fe80::1]:0", "fe80::1:6000"}};
  for (const auto& [display, listening] : addresses) {
    EXPECT_NE((Desktop{{{"DISPLAY", display}}, {}}).Missing(), "") << display;
    EXPECT_EQ((Desktop{{{"DISPLAY", display}}, {listening}}).Missing(), "") << display;
  }
  // DECnet and other forms this check cannot read are left to the toolkit.
  EXPECT_EQ((Desktop{{{"DISPLAY", "node::0"}}, {}}).Missing(), "");
  EXPECT_EQ((Desktop{{{"DISPLAY", "otherhost"}}, {}}).Missing(), "");
}

TEST(DesktopCheckTest, WaylandSocketLivesInTheRuntimeDirectory) {
  Desktop d{{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}};
  EXPECT_NE(d.Missing(), "");
  d.listening = {"/run/user/1000/wayland-0"};
  EXPECT_EQ(d.Missing(), "");
}

TEST(DesktopCheckTest, DeadWaylandFallsBackToX11AndIsNamedWhenThatFailsToo) {
  Desktop d{
      {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1"}, {"DISPLAY", ":0"}},
      {"/tmp/.X11-unix/X0"}};
  EXPECT_EQ(d.Missing(), "");
  d.listening.clear();
  EXPECT_EQ(d.Missing(),
            "no Wayland compositor answers at /run/user/1/wayland-0, and no X server answers on "
            "display :0");
  d.env.erase("DISPLAY");
  EXPECT_EQ(d.Missing(),
            "no Wayland compositor answers at /run/user/1/wayland-0, and DISPLAY is not set");
  d.env["QT_QPA_PLATFORM"] = "wayland;xcb";
  EXPECT_EQ(d.Missing(),
            "no Wayland compositor answers at /run/user/1/wayland-0, and DISPLAY is not set");
}

TEST(DesktopCheckTest, ExplicitPlatformChoosesWhatIsChecked) {
  // Offscreen and framebuffer platforms need no desktop at all.
  EXPECT_EQ((Desktop{{{"QT_QPA_PLATFORM", "offscreen"}}, {}}).Missing(), "");
  // Asking for X11 with no DISPLAY fails even when Wayland is up.
  Desktop x{{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "/w"}}, {"/w"}};
  EXPECT_EQ(x.Missing(), "DISPLAY is not set");
  Desktop w{{{"QT_QPA_PLATFORM", "wayland;xcb"}, {"DISPLAY", ":1"}}, {"/tmp/.X11-unix/X1"}};
  EXPECT_EQ(w.Missing(), "");
}

TEST(DesktopCheckTest, ProbeConnectsOnlyToListeningSockets) {
  EXPECT_FALSE(CanConnectLocalSocket("/nonexistent/karoblen.sock"));
  EXPECT_FALSE(CanConnectLocalSocket(""));
  EXPECT_FALSE(CanConnectLocalSocket(std::string(200, 'x')));

  const std::chrono::milliseconds patience{2000};
  int closedPort = 0;
  {
    if (!LoopbackIsUp()) GTEST_SKIP() << "the loopback network is down here";
    LoopbackListener listener;
    ASSERT_NE(listener.Port(), 0);
    EXPECT_TRUE(CanConnectTcp("127.0.0.1", listener.Port(), patience));
    closedPort = listener.Port();
  }
  EXPECT_FALSE(CanConnectTcp("127.0.0.1", closedPort, patience));
  EXPECT_FALSE(CanConnectTcp("no-such-host.invalid", 6000, patience));
}

// A server that has stopped answering must not hold the start up: without a
// bound, the second connection below would wait for minutes.
TEST(DesktopCheckTest, TcpProbeGivesUpOnAServerThatDoesNotAnswer) {
  if (!LoopbackIsUp()) GTEST_SKIP() << "the loopback network is down here";
  LoopbackListener listener;
  ASSERT_NE(listener.Port(), 0);
  ASSERT_TRUE(CanConnectTcp("127.0.0.1", listener.Port(), std::chrono::seconds(2)));
  EXPECT_FALSE(CanConnectTcp("127.0.0.1", listener.Port(), std::chrono::milliseconds(300)));
}

}  // namespace
