// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound server's client library, loaded on first use rather than linked:
// the game starts as fast without it, and plays silently where it is not
// installed. The prototypes come from its headers, so a mismatch fails to
// compile rather than to run.
#include <pulse/context.h>
#include <pulse/sample.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#define KAROBLEN_PULSE_FUNCTIONS(X) \
  X(pa_threaded_mainloop_new)       \
  X(pa_threaded_mainloop_free)      \
  X(pa_threaded_mainloop_start)     \
  X(pa_threaded_mainloop_stop)      \
  X(pa_threaded_mainloop_lock)      \
  X(pa_threaded_mainloop_unlock)    \
  X(pa_threaded_mainloop_get_api)   \
  X(pa_context_new)                 \
  X(pa_context_unref)               \
  X(pa_context_connect)             \
  X(pa_context_disconnect)          \
  X(pa_context_get_state)           \
  X(pa_context_set_state_callback)  \
  X(pa_stream_new)                  \
  X(pa_stream_unref)                \
  X(pa_stream_connect_playback)     \
  X(pa_stream_disconnect)           \
  X(pa_stream_get_state)            \
  X(pa_stream_set_state_callback)   \
  X(pa_stream_write)                \
  X(pa_stream_cork)                 \
  X(pa_stream_flush)                \
  X(pa_stream_set_buffer_attr)      \
  X(pa_operation_unref)             \
  X(pa_usec_to_bytes)

struct PulseLibrary {
// NOLINTNEXTLINE(bugprone-macro-parentheses): the argument names a member.
#define KAROBLEN_PULSE_MEMBER(name) decltype(&::name) name = nullptr;
  KAROBLEN_PULSE_FUNCTIONS(KAROBLEN_PULSE_MEMBER)
#undef KAROBLEN_PULSE_MEMBER
};

// The library with every function found, or nullptr; loaded once, kept for
// the rest of the run. Safe to call from any thread.
const PulseLibrary* LoadPulseLibrary();
