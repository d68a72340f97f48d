// SPDX-License-Identifier: GPL-3.0-or-later
// The voice against the client library with no server to reach. A run
// started through sudo keeps the player's runtime directory, which the
// library complains about at every try; the voice tries once, so the
// complaint comes at most once however many sounds are asked for.
#include "platform/qt/sound/pulse_voice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/qt/sound_player.h"
#include "res/resource_ids.h"

namespace {

// Everything written to the standard error while it lives ends up in a file.
class CCapturedStderr {
 public:
  explicit CCapturedStderr(const std::string& path) : m_saved(dup(2)) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(file, 2);
    close(file);
  }
  ~CCapturedStderr() {
    dup2(m_saved, 2);
    close(m_saved);
  }
  CCapturedStderr(const CCapturedStderr&) = delete;
  CCapturedStderr& operator=(const CCapturedStderr&) = delete;

 private:
  int m_saved;
};

int LinesIn(const std::string& path) {
  std::ifstream in(path);
  int lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  return lines;
}

TEST(PulseVoice, ARuntimeDirectoryOfAnotherUserIsComplainedAboutAtMostOnce) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  // Someone else's directory: as root, one handed to nobody; otherwise the
  // root directory, which is root's.
  std::string foreign = "/";
  if (getuid() == 0) {
    foreign = scratch.filePath(QStringLiteral("other")).toStdString();
    ASSERT_EQ(mkdir(foreign.c_str(), 0700), 0);
    ASSERT_EQ(chown(foreign.c_str(), 65534, 65534), 0);
  }
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(foreign));
  const std::string log = scratch.filePath(QStringLiteral("stderr")).toStdString();
  {
    const CCapturedStderr captured(log);
    CPulseVoice voice(SoundClips(), SoundVoiceNames());
    for (int i = 0; i < 4; ++i) {
      voice.Play(SND_DROP);
      // The library's thread tries, and fails, in its own time.
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
  }
  qputenv("XDG_RUNTIME_DIR", savedRuntime);
  std::ifstream in(log);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_LE(LinesIn(log), 1) << text.str();
}

}  // namespace
