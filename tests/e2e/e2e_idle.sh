#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server: a game window that nobody touches makes no
# system calls at all, in any of its threads, for ten seconds, even after a
# hint was asked for; and its lock indicators still follow the keys. Exit 77 (skipped) only when the tools for
# a virtual desktop or strace are missing.
#
# usage: e2e_idle.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2" strace
if ! strace -f -o /dev/null true 2>"$work/strace.log"; then
  echo "SKIP: strace cannot trace here: $(cat "$work/strace.log")" >&2
  exit 77
fi
# A timer of one second or faster costs at least twenty calls in the ten
# seconds (the wait, and the read that clears the wake-up); a game at rest
# makes none.
allowed_calls=5
idle_seconds=10

start_xvfb
start_game
# A hint before the quiet: its search ends and leaves no thread behind.
sleep 1
threads() { ls "/proc/$game_pid/task" | wc -l; }
threads_before=$(threads)
focus_window "$window"
xdotool key h
# A sanitized game searches several times slower than the second given here.
sleep 1
threads_back() { (($(threads) <= threads_before)); }
wait_for 50 threads_back ||
  fail "the hint left $(($(threads) - threads_before)) thread(s) running ($threads_before before)"
# The tracer joins once start-up is over, and leaves before the game ends:
# the game's own end (and a sanitized build's leak check at exit) must not
# run under a tracer.
sleep 2
strace -f -ttt -p "$game_pid" -o "$work/trace" 2>"$work/strace.log" &
tracer_pid=$!
helper_pids+=("$tracer_pid")
traced() { grep -q '^TracerPid:[[:space:]]*[1-9]' "/proc/$game_pid/status"; }
wait_for 50 traced || fail "strace did not attach: $(cat "$work/strace.log")"
# Attaching interrupts every thread's wait once; those calls come before the window.
sleep 1

from=$(date +%s.%N)
sleep "$idle_seconds"
to=$(date +%s.%N)
kill -0 "$game_pid" 2>/dev/null || fail "the game exited while idle"
kill -INT "$tracer_pid"
wait "$tracer_pid" 2>/dev/null || true

# One line per call that started in the window; a call that was already
# waiting when it opened and returns within it shows as a resumed line, and
# is counted by the call that follows.
awk -v from="$from" -v to="$to" \
  '$2 >= from && $2 < to && $0 !~ /resumed>/ && $3 !~ /^(---|\+\+\+)/' \
  "$work/trace" >"$work/idle.trace"
calls=$(wc -l <"$work/idle.trace")
if [ "$calls" -gt "$allowed_calls" ]; then
  echo "calls while idle, by name:" >&2
  awk '{ sub(/\(.*/, "", $3); print $3 }' "$work/idle.trace" | sort | uniq -c | sort -rn >&2
  fail "$calls system calls in $idle_seconds s of idling (at most $allowed_calls allowed)"
fi

# The indicators are told, not asked: Caps Lock shows in the status bar's
# corner and goes again.
# The board's pane, right of the locks, stays as it is meanwhile.
corner() {  # corner NAME: the right end of the status bar as NAME.ppm
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "400x20+$((X + WIDTH - 400))+$((Y + HEIGHT - 20))" "ppm:$work/$1.ppm"
}
corner_as_at_first() { corner now && cmp -s "$work/first.ppm" "$work/now.ppm"; }
corner_changed() { corner now && ! cmp -s "$work/first.ppm" "$work/now.ppm"; }
corner first
xdotool key Caps_Lock
wait_for 50 corner_changed || fail "Caps Lock did not show in the status bar"
xdotool key Caps_Lock
wait_for 50 corner_as_at_first || fail "the status bar still shows Caps Lock after it was released"

exit_through_menu
echo "PASS: $calls system calls in $idle_seconds s of idling; Caps Lock shown and cleared"
