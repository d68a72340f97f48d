// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_latency.h"

#include <fcntl.h>
#include <pulse/simple.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/qt/input_holding_pause.h"
#include "res/resource_ids.h"

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
constexpr unsigned kRate = 44100;

// Notes when the monitor's signal rises out of silence. The server hands on
// each millisecond as soon as it has mixed it.
class CRecorder {
 public:
  CRecorder() {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.fragsize = kRate / 1000 * 2;
    m_pStream = pa_simple_new(nullptr, "bench", PA_STREAM_RECORD, "out.monitor", "latency", &spec,
                              nullptr, &attr, nullptr);
    if (m_pStream) m_thread = std::thread([this] { Run(); });
  }
  ~CRecorder() {
    m_bStop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_pStream) pa_simple_free(m_pStream);
  }
  bool Works() const { return m_pStream != nullptr; }
  // The first onset after `since`, if one came.
  std::optional<Clock::time_point> OnsetAfter(Clock::time_point since) {
    std::lock_guard lock(m_mutex);
    for (const auto onset : m_onsets)
      if (onset >= since) return onset;
    return std::nullopt;
  }

 private:
  void Run() {
    std::int16_t block[kRate / 1000];
    std::size_t quiet = kRate;  // samples of silence before the block
    while (!m_bStop) {
      if (pa_simple_read(m_pStream, block, sizeof block, nullptr) < 0) return;
      const Clock::time_point now = Clock::now();
      const std::size_t count = std::size(block);
      for (std::size_t i = 0; i < count; ++i) {
        if (block[i] == 0) {
          ++quiet;
          continue;
        }
        // A sound begins after 20 ms of silence; its first sample was mixed
        // the rest of the block's length before the block arrived.
        if (quiet > kRate / 50) {
          const auto after = std::chrono::microseconds((count - i) * 1000000 / kRate);
          std::lock_guard lock(m_mutex);
          m_onsets.push_back(now - after);
        }
        quiet = 0;
      }
    }
  }

  pa_simple* m_pStream = nullptr;
  std::thread m_thread;
  std::atomic<bool> m_bStop{false};
  std::mutex m_mutex;
  std::vector<Clock::time_point> m_onsets;
};

std::optional<double> TimeOneSound(CRecorder& recorder, const std::function<void(int)>& play,
                                   int waveId) {
  const Clock::time_point asked = Clock::now();
  play(waveId);
  // An onset is placed to within a block of the recording, so one found
  // up to a block before the call is this sound's, and counts as no delay.
  const auto block = std::chrono::milliseconds(2);
  for (int waited = 0; waited < 500; waited += 10) {
    PauseHoldingInput(10);
    if (const auto onset = recorder.OnsetAfter(asked - block))
      return std::max(0.0, std::chrono::duration<double, std::milli>(*onset - asked).count());
  }
  return std::nullopt;
}
}  // namespace

CPrivateSoundServer::CPrivateSoundServer(Kind kind) {
  char dirTemplate[] = "/tmp/karoblen-bench-pulse-XXXXXX";
  if (!mkdtemp(dirTemplate)) {
    m_problem = "no scratch directory";
    return;
  }
  m_dir = dirTemplate;
  const std::string runtime = m_dir + "/pulse";
  std::filesystem::create_directories(runtime);
  setenv("HOME", m_dir.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", m_dir.c_str(), 1);
  setenv("PULSE_RUNTIME_PATH", runtime.c_str(), 1);
  setenv("PULSE_SERVER", ("unix:" + runtime + "/native").c_str(), 1);
  if (kind == Kind::PipeWire) {
    if (!StartPipeWire()) return;
  } else {
    const std::string socket =
        "module-native-protocol-unix auth-anonymous=1 socket=" + runtime + "/native";
    if (!Spawn({"pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--exit-idle-time=-1",
                "--log-target=file:" + m_dir + "/log", "-L",
                "module-null-sink sink_name=out rate=44100 norewinds=1", "-L", socket})) {
      m_problem = "pulseaudio is not installed";
      return;
    }
  }
  // Up when a client gets through.
  for (int i = 0; i < 100; ++i) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, kRate, 1};
    if (pa_simple* probe = pa_simple_new(nullptr, "bench", PA_STREAM_RECORD, "out.monitor", "probe",
                                         &spec, nullptr, nullptr, nullptr)) {
      pa_simple_free(probe);
      return;
    }
    usleep(100000);
  }
  m_problem = kind == Kind::PipeWire ? "PipeWire did not start" : "pulseaudio did not start";
}

// The pieces come up in the order a desktop brings them up: the session bus,
// PipeWire, its session manager, and the PulseAudio service last, once the
// session manager has chosen the silent sink.
bool CPrivateSoundServer::StartPipeWire() {
  const std::string bus = "unix:path=" + m_dir + "/bus";
  const std::string config = m_dir + "/config";
  std::filesystem::create_directories(config + "/pipewire/pipewire.conf.d");
  {
    std::FILE* out = std::fopen((config + "/pipewire/pipewire.conf.d/null-sink.conf").c_str(), "w");
    if (!out) {
      m_problem = "no PipeWire configuration";
      return false;
    }
    std::fputs(
        "context.objects = [ { factory = adapter args = { factory.name = "
        "support.null-audio-sink node.name = out media.class = Audio/Sink audio.position = [ MONO "
        "] "
        "audio.rate = 44100 node.driver = true priority.driver = 30000 priority.session = 30000 } "
        "} ]\n",
        out);
    std::fclose(out);
  }
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
  const auto waitFor = [](const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i) usleep(100000);
  };
  if (!Spawn({"dbus-daemon", "--session", "--address=" + bus, "--nofork", "--nopidfile"}) ||
      (waitFor(m_dir + "/bus"), !Spawn({"pipewire"})) ||
      (waitFor(m_dir + "/pipewire-0"), !Spawn({"wireplumber"}))) {
    m_problem = "dbus-daemon, pipewire or wireplumber is not installed";
    return false;
  }
  for (int i = 0; i < 100; ++i) {
    pid_t pid = -1;
    char* args[] = {const_cast<char*>("wpctl"), const_cast<char*>("inspect"),
                    const_cast<char*>("@DEFAULT_AUDIO_SINK@"), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    int status = 1;
    if (posix_spawnp(&pid, "wpctl", &quiet, nullptr, args, environ) == 0) waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&quiet);
    if (status == 0) break;
    usleep(100000);
  }
  if (!Spawn({"pipewire-pulse"})) {
    m_problem = "pipewire-pulse is not installed";
    return false;
  }
  return true;
}

// Started with its output in the scratch directory's log.
bool CPrivateSoundServer::Spawn(std::vector<std::string> args) {
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t log;
  posix_spawn_file_actions_init(&log);
  const std::string path = m_dir + "/" + args[0] + ".log";
  posix_spawn_file_actions_addopen(&log, 1, path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  posix_spawn_file_actions_adddup2(&log, 1, 2);
  pid_t pid = -1;
  const bool started =
      posix_spawnp(&pid, args[0].c_str(), &log, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&log);
  if (started) m_pids.push_back(pid);
  return started;
}

CPrivateSoundServer::~CPrivateSoundServer() {
  for (auto it = m_pids.rbegin(); it != m_pids.rend(); ++it) {
    kill(*it, SIGTERM);
    waitpid(*it, nullptr, 0);
  }
  if (!m_dir.empty()) std::filesystem::remove_all(m_dir);
}

SoundLatency MeasureSoundLatency(const std::function<void(int)>& play, int sounds) {
  SoundLatency result;
  CRecorder recorder;
  if (!recorder.Works()) return result;
  PauseHoldingInput(300);
  constexpr int kWaves[] = {SND_TALLY, SND_REMOVE, SND_DROP};
  std::vector<double> times;
  for (int i = 0; i <= sounds; ++i) {
    ++result.asked;
    const auto ms = TimeOneSound(recorder, play, kWaves[i % std::size(kWaves)]);
    if (i == 0) {
      if (ms) result.firstMs = *ms;
    } else if (ms) {
      times.push_back(*ms);
    }
    if (ms) ++result.heard;
    PauseHoldingInput(300);  // the sound has ended: the next starts from silence
  }
  if (times.empty()) return result;
  std::sort(times.begin(), times.end());
  result.medianMs = times[times.size() / 2];
  result.maxMs = times.back();
  return result;
}
