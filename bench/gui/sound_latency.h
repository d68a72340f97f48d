// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Time from asking for a sound to its first sample leaving the sound server's
// mixer, measured on a private server with a silent sink: a recorder on the
// sink's monitor notes when each sound begins.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A sound server of the bench's own in a scratch directory, found by
// everything started after it (PULSE_SERVER and friends are set): PulseAudio,
// or PipeWire with its session manager and PulseAudio service on a session
// bus of its own. Ended with the object.
class CPrivateSoundServer {
 public:
  enum class Kind { PulseAudio, PipeWire };
  explicit CPrivateSoundServer(Kind kind = Kind::PulseAudio);
  ~CPrivateSoundServer();
  CPrivateSoundServer(const CPrivateSoundServer&) = delete;
  CPrivateSoundServer& operator=(const CPrivateSoundServer&) = delete;
  // Why the server is not there, or empty once it runs.
  const std::string& Problem() const { return m_problem; }

 private:
  bool Spawn(std::vector<std::string> args);
  bool StartPipeWire();
  std::string m_dir;
  std::vector<int> m_pids;  // in the order started, ended in reverse
  std::string m_problem;
};

struct SoundLatency {
  double firstMs = -1;   // the first sound of the player, or -1 if not heard
  double medianMs = -1;  // the ones after it, each started from silence
  double maxMs = -1;
  int heard = 0;
  int asked = 0;
};

// `play` is called with a wave id on the Qt thread; the event loop runs
// between the sounds. Needs a CPrivateSoundServer.
SoundLatency MeasureSoundLatency(const std::function<void(int)>& play, int sounds);
