// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/sound/pulse_voice.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/qt/sound/pulse_library.h"
#include "platform/qt/sound/pulse_server_socket.h"

namespace {
using std::chrono::microseconds;
using std::chrono::milliseconds;

// While a clip sounds, the server mixes it in within this much of its start.
constexpr microseconds kSoundingLatency{10000};
// A clip is worth starting only this long after it was asked for: later, it
// no longer goes with what is on the screen.
constexpr milliseconds kLateStart{60};
// How long after a clip's end its stream is corked.
constexpr milliseconds kAfterEnd{100};

pa_sample_spec SpecOf(const WaveClip& clip) {
  pa_sample_spec spec{};
  spec.format = PA_SAMPLE_S16LE;
  spec.rate = clip.sampleRate;
  spec.channels = static_cast<std::uint8_t>(clip.channels);
  return spec;
}

// With no prebuffering a stream starts and stops only when it is
// (un)corked, and each clip is written at the play position, replacing what
// was there. A stream that is not sounding leaves the latency to the server,
// so it does not make the output work in shorter periods for nothing.
pa_buffer_attr BufferFor(const PulseLibrary& lib, const pa_sample_spec& spec, bool sounding) {
  pa_buffer_attr attr{};
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = sounding ? static_cast<std::uint32_t>(lib.pa_usec_to_bytes(
                                static_cast<pa_usec_t>(kSoundingLatency.count()), &spec))
                          : static_cast<std::uint32_t>(-1);
  attr.prebuf = 0;
  attr.minreq = static_cast<std::uint32_t>(-1);
  attr.fragsize = static_cast<std::uint32_t>(-1);
  return attr;
}

void Forget(const PulseLibrary& lib, pa_operation* op) {
  if (op) lib.pa_operation_unref(op);
}
}  // namespace

CPulseVoice::CPulseVoice(const std::map<int, WaveClip>& clips, VoiceNames names)
    : m_names(std::move(names)) {
  for (const auto& [key, clip] : clips) {
    Stream& entry = m_streams[key];
    entry.clip = clip;
    entry.pcm = SignedSixteenBit(clip);
  }
}

CPulseVoice::~CPulseVoice() {
  if (!m_pLoop) return;
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  if (m_pTimer) m_pApi->time_free(m_pTimer);
  m_pApi->defer_free(m_pConnect);
  StopWatching();
  DropStreams();
  DropContext();
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
  m_pLib->pa_threaded_mainloop_stop(m_pLoop);
  m_pLib->pa_threaded_mainloop_free(m_pLoop);
}

void CPulseVoice::Prepare() {
  if (m_bLibraryTried) return;
  m_bLibraryTried = true;
  m_pLib = LoadPulseLibrary();
  if (!m_pLib) return;
  m_socket = PulseServerSocket([](const char* name) { return std::getenv(name); });
  struct stat runtime {};
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  m_bForeignRuntimeDir =
      runtimeDir && stat(runtimeDir, &runtime) == 0 && runtime.st_uid != getuid();
  m_pLoop = m_pLib->pa_threaded_mainloop_new();
  if (!m_pLoop) return;
  m_pApi = m_pLib->pa_threaded_mainloop_get_api(m_pLoop);
  m_pConnect = m_pApi->defer_new(m_pApi, &CPulseVoice::OnConnect, this);
  m_pApi->defer_enable(m_pConnect, 0);
  if (m_pLib->pa_threaded_mainloop_start(m_pLoop) < 0) {
    m_pLib->pa_threaded_mainloop_free(m_pLoop);
    m_pLoop = nullptr;
    return;
  }
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  EnsureContext();
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
}

void CPulseVoice::Play(int key) {
  Prepare();
  if (!m_pLoop) return;
  m_pLib->pa_threaded_mainloop_lock(m_pLoop);
  if (m_nSounding >= 0) Silence(m_streams[m_nSounding]);
  m_nSounding = -1;
  const auto it = m_streams.find(key);
  if (it != m_streams.end()) {
    m_nSounding = key;
    m_requested = Clock::now();
    if (EnsureContext() && m_pLib->pa_context_get_state(m_pContext) == PA_CONTEXT_READY) Start(key);
    ArmTimer(microseconds(it->second.clip.DurationUs()) + kLateStart + kAfterEnd);
  } else {
    Rest();
  }
  m_pLib->pa_threaded_mainloop_unlock(m_pLoop);
}

// Under the lock: true while a connection is there or being made; otherwise
// the library's thread is asked to make one, which keeps reading its
// configuration and knocking on a missing server's door off this thread.
bool CPulseVoice::EnsureContext() {
  if (m_pContext && PA_CONTEXT_IS_GOOD(m_pLib->pa_context_get_state(m_pContext))) return true;
  if (!m_bGaveUp) m_pApi->defer_enable(m_pConnect, 1);
  return false;
}

// In the library's thread, once for each time it is asked.
void CPulseVoice::OnConnect(pa_mainloop_api* api, pa_defer_event* event, void* self) {
  api->defer_enable(event, 0);
  auto* voice = static_cast<CPulseVoice*>(self);
  const PulseLibrary& lib = *voice->m_pLib;
  if (voice->m_pContext && PA_CONTEXT_IS_GOOD(lib.pa_context_get_state(voice->m_pContext))) return;
  voice->DropStreams();
  voice->DropContext();
  voice->m_bContextWasReady = false;
  voice->m_pContext = lib.pa_context_new(api, voice->m_names.application.c_str());
  if (!voice->m_pContext) return;
  lib.pa_context_set_state_callback(voice->m_pContext, &CPulseVoice::OnContextState, voice);
  // Starting a server is the desktop's business, not a game's.
  if (lib.pa_context_connect(voice->m_pContext, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    voice->DropContext();
    voice->WatchForServer();
  }
}

void CPulseVoice::DropContext() {
  if (!m_pContext) return;
  m_pLib->pa_context_set_state_callback(m_pContext, nullptr, nullptr);
  m_pLib->pa_context_disconnect(m_pContext);
  m_pLib->pa_context_unref(m_pContext);
  m_pContext = nullptr;
}

void CPulseVoice::DropStreams() {
  for (auto& [key, entry] : m_streams) ReleaseStream(entry);
}

// Under the lock: the entry's stream, if any, is let go; one still connected
// is disconnected first.
void CPulseVoice::ReleaseStream(Stream& entry) {
  entry.startWhenReady = false;
  entry.wasReady = false;
  entry.shortLatency = false;
  if (!entry.stream) return;
  m_pLib->pa_stream_set_state_callback(entry.stream, nullptr, nullptr);
  if (PA_STREAM_IS_GOOD(m_pLib->pa_stream_get_state(entry.stream)))
    m_pLib->pa_stream_disconnect(entry.stream);
  m_pLib->pa_stream_unref(entry.stream);
  entry.stream = nullptr;
}

// Under the lock, with the connection ready: a stream for every clip that
// has none, corked until its clip is played.
void CPulseVoice::MakeStreams() {
  for (auto& [key, entry] : m_streams) {
    if (entry.stream && PA_STREAM_IS_GOOD(m_pLib->pa_stream_get_state(entry.stream))) continue;
    ReleaseStream(entry);
    MakeStream(entry);
  }
}

// Under the lock, with the connection ready.
void CPulseVoice::Start(int key) {
  MakeStreams();
  Stream& entry = m_streams[key];
  if (!entry.stream) return;
  if (m_pLib->pa_stream_get_state(entry.stream) == PA_STREAM_READY)
    Write(entry);
  else
    entry.startWhenReady = true;
}

void CPulseVoice::MakeStream(Stream& entry) {
  const pa_sample_spec spec = SpecOf(entry.clip);
  entry.stream = m_pLib->pa_stream_new(m_pContext, m_names.stream.c_str(), &spec, nullptr);
  if (!entry.stream) return;
  m_pLib->pa_stream_set_state_callback(entry.stream, &CPulseVoice::OnStreamState, this);
  const pa_buffer_attr attr = BufferFor(*m_pLib, spec, false);
  const auto flags =
      static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
  if (m_pLib->pa_stream_connect_playback(entry.stream, nullptr, &attr, flags, nullptr, nullptr) < 0)
    ReleaseStream(entry);
}

// Under the lock, on a ready stream: the clip from its first sample. The
// stream is uncorked once the server has taken the short latency, which
// also tells that it still answers: a clip that waited too long for that
// stays corked.
void CPulseVoice::Write(Stream& entry) {
  entry.startWhenReady = false;
  m_pLib->pa_stream_write(entry.stream, entry.pcm.data(), entry.pcm.size(), nullptr, 0,
                          PA_SEEK_RELATIVE_ON_READ);
  SetLatency(entry, true);
}

// Under the lock: the stream stops at once and forgets what it still held.
// It keeps its short latency while the voice goes on sounding: handing it
// back between two clips would make the output change its period twice, and
// the next clip wait for that.
void CPulseVoice::Silence(Stream& entry) {
  entry.startWhenReady = false;
  if (!entry.stream || m_pLib->pa_stream_get_state(entry.stream) != PA_STREAM_READY) return;
  Forget(*m_pLib, m_pLib->pa_stream_cork(entry.stream, 1, nullptr, nullptr));
  Forget(*m_pLib, m_pLib->pa_stream_flush(entry.stream, nullptr, nullptr));
}

// Under the lock, once nothing sounds: the latency goes back to the server.
void CPulseVoice::Rest() {
  for (auto& [key, entry] : m_streams)
    if (entry.shortLatency && entry.stream &&
        m_pLib->pa_stream_get_state(entry.stream) == PA_STREAM_READY)
      SetLatency(entry, false);
}

void CPulseVoice::SetLatency(Stream& entry, bool sounding) {
  entry.shortLatency = sounding;
  const pa_sample_spec spec = SpecOf(entry.clip);
  const pa_buffer_attr attr = BufferFor(*m_pLib, spec, sounding);
  Forget(*m_pLib, m_pLib->pa_stream_set_buffer_attr(
                      entry.stream, &attr, sounding ? &CPulseVoice::OnLatencySet : nullptr, this));
}

bool CPulseVoice::StillDue() const { return Clock::now() - m_requested < kLateStart; }

void CPulseVoice::OnLatencySet(pa_stream* stream, int, void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  const auto it = voice->m_streams.find(voice->m_nSounding);
  if (it == voice->m_streams.end() || it->second.stream != stream) return;
  if (voice->StillDue()) {
    Forget(*voice->m_pLib, voice->m_pLib->pa_stream_cork(stream, 0, nullptr, nullptr));
  } else {
    voice->Silence(it->second);
    voice->Rest();
    voice->m_nSounding = -1;
  }
}

void CPulseVoice::ArmTimer(std::chrono::microseconds delay) {
  timeval when{};
  gettimeofday(&when, nullptr);
  const long long usec = when.tv_usec + delay.count();
  when.tv_sec += static_cast<time_t>(usec / 1000000);
  when.tv_usec = static_cast<suseconds_t>(usec % 1000000);
  if (m_pTimer)
    m_pApi->time_restart(m_pTimer, &when);
  else
    m_pTimer = m_pApi->time_new(m_pApi, &when, &CPulseVoice::OnTimer, this);
}

void CPulseVoice::OnContextState(pa_context* context, void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  switch (voice->m_pLib->pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
      voice->m_bContextWasReady = true;
      voice->StopWatching();
      if (voice->m_nSounding >= 0 && voice->StillDue())
        voice->Start(voice->m_nSounding);
      else
        voice->MakeStreams();
      return;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
      // A server that was there is asked again at once, as one that
      // restarts is soon back; one that did not answer is waited for.
      if (voice->m_bContextWasReady)
        voice->m_pApi->defer_enable(voice->m_pConnect, 1);
      else
        voice->WatchForServer();
      voice->m_bContextWasReady = false;
      return;
    default:
      return;
  }
}

void CPulseVoice::OnStreamState(pa_stream* stream, void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  const pa_stream_state_t state = voice->m_pLib->pa_stream_get_state(stream);
  for (auto& [key, entry] : voice->m_streams) {
    if (entry.stream != stream) continue;
    if (state == PA_STREAM_READY) {
      entry.wasReady = true;
      if (key == voice->m_nSounding && entry.startWhenReady && voice->StillDue())
        voice->Write(entry);
    } else if (state == PA_STREAM_FAILED && entry.wasReady && voice->m_pContext &&
               voice->m_pLib->pa_context_get_state(voice->m_pContext) == PA_CONTEXT_READY) {
      // Taken away with its output device: made again now, not when its
      // clip is next due. One refused from the start waits for that.
      voice->ReleaseStream(entry);
      voice->MakeStream(entry);
    }
    return;
  }
}

// Once after a clip has ended; then nothing is timed until the next clip.
void CPulseVoice::OnTimer(pa_mainloop_api* api, pa_time_event* event, const struct timeval*,
                          void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  if (voice->m_nSounding >= 0) voice->Silence(voice->m_streams[voice->m_nSounding]);
  voice->Rest();
  voice->m_nSounding = -1;
  api->time_restart(event, nullptr);
}

// In the library's thread: the directory of the server's socket is watched
// until the socket is made again; the kernel wakes this thread only then.
void CPulseVoice::WatchForServer() {
  if (m_bForeignRuntimeDir) m_bGaveUp = true;
  if (m_bGaveUp || m_pWatch || m_socket.empty()) return;
  const std::size_t slash = m_socket.rfind('/');
  const std::string directory = slash == 0 ? "/" : m_socket.substr(0, slash);
  m_nWatch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (m_nWatch < 0) return;
  if (inotify_add_watch(m_nWatch, directory.c_str(), IN_CREATE | IN_MOVED_TO) < 0) {
    StopWatching();
    return;
  }
  m_pWatch =
      m_pApi->io_new(m_pApi, m_nWatch, PA_IO_EVENT_INPUT, &CPulseVoice::OnSocketDirectory, this);
}

void CPulseVoice::StopWatching() {
  if (m_pWatch) m_pApi->io_free(m_pWatch);
  m_pWatch = nullptr;
  if (m_nWatch >= 0) close(m_nWatch);
  m_nWatch = -1;
}

void CPulseVoice::OnSocketDirectory(pa_mainloop_api* api, pa_io_event*, int fd, pa_io_event_flags_t,
                                    void* self) {
  auto* voice = static_cast<CPulseVoice*>(self);
  const std::string name = voice->m_socket.substr(voice->m_socket.rfind('/') + 1);
  alignas(inotify_event) char buffer[4096];
  bool made = false;
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
    for (ssize_t at = 0; at < got;) {
      inotify_event event{};
      std::memcpy(&event, buffer + at, sizeof event);
      const char* eventName = buffer + at + sizeof event;
      if (event.len > 0 && name == eventName) made = true;
      at += static_cast<ssize_t>(sizeof event + event.len);
    }
  }
  if (!made) return;
  voice->StopWatching();
  api->defer_enable(voice->m_pConnect, 1);
}
