// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One voice on the desktop's sound server: a clip started here cuts off the
// one sounding, and is heard from its first sample to its last.
//
// Each clip gets a stream of its own at its own rate, widened once to 16
// bits, and the server resamples it. The streams are made as soon as the
// server is reached and kept: making one when its clip is due would start
// the clip late. A stream runs only while its clip sounds and is corked when
// the clip has ended, so an idle game keeps neither the server's mixer nor
// itself busy: the client library's thread sleeps in poll() with nothing to
// time. Only while clips sound do their streams ask the server for a short
// latency; once the last has ended, the output's latency is as it was.
//
// Every call returns at once: the server is reached from that thread. A
// server that goes away is looked for again at once, and if it is not back,
// when its socket reappears or at the next clip, whichever comes first. A
// clip starts only while it is still due: one held up by a server that is
// still getting ready, or that stopped answering, is dropped, not played late.
// Under a runtime directory that is not the player's, a server that cannot be
// reached is tried only once.
#include <pulse/mainloop-api.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/sound/wave_clip.h"

struct PulseLibrary;
struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// How the sound server's mixer names the game and its sounds.
struct VoiceNames {
  std::string application;
  std::string stream;
};

class CPulseVoice {
 public:
  // The clips' samples are copied, widened, when the voice is made.
  CPulseVoice(const std::map<int, WaveClip>& clips, VoiceNames names);
  ~CPulseVoice();
  CPulseVoice(const CPulseVoice&) = delete;
  CPulseVoice& operator=(const CPulseVoice&) = delete;

  // Loads the client library and starts connecting. Play does this itself
  // when needed; calling it beforehand takes the set-up out of the first
  // sound's way.
  void Prepare();
  bool Knows(int key) const { return m_streams.count(key) != 0; }
  // Starts the clip known by `key`; an unknown key only stops the sound.
  void Play(int key);

 private:
  struct Stream {
    pa_stream* stream = nullptr;
    WaveClip clip;
    std::vector<std::uint8_t> pcm;  // signed 16-bit
    bool startWhenReady = false;
    bool wasReady = false;
    bool shortLatency = false;  // asked of the server, until the voice rests
  };
  using Clock = std::chrono::steady_clock;

  bool EnsureContext();
  void DropContext();
  void DropStreams();
  void ReleaseStream(Stream& entry);
  void MakeStreams();
  void MakeStream(Stream& entry);
  void Start(int key);
  void Write(Stream& entry);
  void Silence(Stream& entry);
  void Rest();
  void SetLatency(Stream& entry, bool sounding);
  bool StillDue() const;
  void ArmTimer(std::chrono::microseconds delay);
  void WatchForServer();
  void StopWatching();

  static void OnConnect(pa_mainloop_api* api, pa_defer_event* event, void* self);
  static void OnContextState(pa_context* context, void* self);
  static void OnStreamState(pa_stream* stream, void* self);
  static void OnLatencySet(pa_stream* stream, int success, void* self);
  static void OnTimer(pa_mainloop_api* api, pa_time_event* event, const struct timeval* when,
                      void* self);
  static void OnSocketDirectory(pa_mainloop_api* api, pa_io_event* event, int fd,
                                pa_io_event_flags_t flags, void* self);

  const PulseLibrary* m_pLib = nullptr;
  pa_threaded_mainloop* m_pLoop = nullptr;
  pa_mainloop_api* m_pApi = nullptr;
  pa_context* m_pContext = nullptr;
  pa_time_event* m_pTimer = nullptr;
  pa_defer_event* m_pConnect = nullptr;
  bool m_bLibraryTried = false;
  // Everything below is shared with the library's thread, under its lock;
  // the set of keys is fixed from the start.
  std::map<int, Stream> m_streams;
  VoiceNames m_names;
  int m_nSounding = -1;  // key of the clip sounding or about to, or -1
  Clock::time_point m_requested{};
  bool m_bContextWasReady = false;
  // The client library complains at every try about a runtime directory
  // that belongs to someone else (a game started through sudo); there, one
  // failed try is the last.
  bool m_bForeignRuntimeDir = false;
  bool m_bGaveUp = false;
  std::string m_socket;  // the server's socket, watched while it is away
  int m_nWatch = -1;
  pa_io_event* m_pWatch = nullptr;
};
