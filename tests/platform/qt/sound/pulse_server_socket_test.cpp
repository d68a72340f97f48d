// SPDX-License-Identifier: GPL-3.0-or-later
// A lost sound server is waited for at the socket it will make again; a
// wrong place would leave the game silent until the next sound.
#include "platform/qt/sound/pulse_server_socket.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

TEST(PulseServerSocket, FollowsTheClientLibrarysOrderOfVariables) {
  using Env = std::map<std::string, std::string>;
  const struct {
    Env env;
    const char* socket;
  } cases[] = {
      {{}, ""},
      {{{"XDG_RUNTIME_DIR", "/run/user/7"}}, "/run/user/7/pulse/native"},
      {{{"XDG_RUNTIME_DIR", "/run/user/7"}, {"PULSE_RUNTIME_PATH", "/p"}}, "/p/native"},
      {{{"PULSE_RUNTIME_PATH", "/p"}, {"PULSE_SERVER", "unix:/s/native"}}, "/s/native"},
      {{{"XDG_RUNTIME_DIR", "/r"}, {"PULSE_SERVER", "tcp:host:4713"}}, ""},
      {{{"PULSE_SERVER", "unix:/a unix:/b"}}, ""},
      {{{"PULSE_SERVER", "unix:relative"}}, ""},
      {{{"XDG_RUNTIME_DIR", "relative"}}, ""},
  };
  for (const auto& c : cases) {
    const auto lookup = [&](const char* name) -> const char* {
      const auto it = c.env.find(name);
      return it == c.env.end() ? nullptr : it->second.c_str();
    };
    EXPECT_EQ(PulseServerSocket(lookup), c.socket) << c.socket;
  }
}
