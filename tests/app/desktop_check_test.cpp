// Whether the program can put up a window, decided before the toolkit starts.
#include "app/desktop_check.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

struct Desktop {
  std::map<std::string, std::string> env;
  std::set<std::string> listening;

  std::string Missing() const {
    return FindMissingDesktop(
        [this](const std::string& name) {
          auto it = env.find(name);
          return it == env.end() ? std::string() : it->second;
        },
        [this](const std::string& path) { return listening.count(path) > 0; });
  }
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

TEST(DesktopCheckTest, RemoteDisplayIsLeftToTheToolkit) {
  EXPECT_EQ((Desktop{{{"DISPLAY", "otherhost:0"}}, {}}).Missing(), "");
}

TEST(DesktopCheckTest, WaylandSocketLivesInTheRuntimeDirectory) {
  Desktop d{{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1000"}}, {}};
  EXPECT_NE(d.Missing(), "");
  d.listening = {"/run/user/1000/wayland-0"};
  EXPECT_EQ(d.Missing(), "");
}

TEST(DesktopCheckTest, DeadWaylandFallsBackToX11) {
  Desktop d{
      {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/1"}, {"DISPLAY", ":0"}},
      {"/tmp/.X11-unix/X0"}};
  EXPECT_EQ(d.Missing(), "");
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
}

}  // namespace
