# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts: a private virtual X server, the game in a
# scratch directory, screenshots read by board_probe, and waits that always
# give up. Source it, then call e2e_begin KAROBLEN_BINARY BOARD_PROBE, naming
# after them any tool the script needs beyond the virtual desktop.
#
# Globals it sets: game probe work display window game_pid helper_pids
# board_x board_y columns rows. Every wait is bounded; a failure prints the
# last board seen.
source "$(dirname "${BASH_SOURCE[0]}")/../need_tools.sh"

e2e_begin() {
  game=$(readlink -f "$1")
  probe=$(readlink -f "$2")
  shift 2
  need_tools Xvfb xdotool import "$@"
  work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-e2e-XXXXXX")
  xvfb_pid=""
  game_pid=""
  window=""
  # Whatever else a script starts (a window manager, a tracer, a server)
  # ends with it.
  helper_pids=()
  trap e2e_cleanup EXIT
  # A session directory of the test's own, as a desktop session has one: the
  # toolkit and the sound library keep their runtime files there and not in
  # /tmp, and the game reaches no sound server of the tester's. The file
  # dialog's history goes to a configuration of its own, too.
  export XDG_RUNTIME_DIR="$work/session" XDG_CONFIG_HOME="$work/config"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  unset PULSE_SERVER
  # A timeout of the test runner must still take Xvfb and the game down.
  trap 'exit 143' TERM INT HUP
}

e2e_cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  local pid
  for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_E2E_DIR:-0}" = 1 ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/last.grid" ]; then echo "last board seen:" >&2; cat "$work/last.grid" >&2; fi
  if [ -s "$work/game.log" ]; then echo "game output:" >&2; cat "$work/game.log" >&2; fi
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1 i
  shift
  for ((i = 0; i < tenths; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

# Xvfb picks a free display number itself and reports it, which cannot race
# with another server starting at the same moment. Without -noreset the
# server resets whenever its last client leaves (each xdotool call), and a
# game connecting during such a reset is turned away.
start_xvfb() {
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  display=":$(tr -d '[:space:]' <"$work/display")"
  export DISPLAY=$display
  wait_for 100 xdotool getmouselocation || fail "Xvfb did not come up on $display: $(cat "$work/xvfb.log")"
  park_pointer
}

# Away from where any window of the game appears, so no hover interferes.
park_pointer() {
  move_pointer 1020 760
}

# A real window manager on the virtual server, with its own configuration
# directories in the scratch directory, so the player's settings play no part.
start_window_manager() {
  (export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" &&
    exec openbox --sm-disable) >"$work/wm.log" 2>&1 &
  helper_pids+=($!)
  wait_for 100 sh -c 'xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "the window manager did not start: $(cat "$work/wm.log")"
}

# Starts the game in the scratch directory, where it keeps its score file,
# and waits for its main window.
start_game() {
  start_command "$work" "$game"
}

# Runs the command after $1 in directory $1, as the game: it must exec the
# game in the end. Waits for the game's main window.
start_command() {
  local dir=$1
  shift
  (cd "$dir" && unset QT_QPA_PLATFORM WAYLAND_DISPLAY && exec "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
  local i
  for ((i = 0; i < 200; i++)); do
    window=$(xdotool search --onlyvisible --name '^Karoblen$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the game exited early"
    sleep 0.1
  done
  fail "no window named Karoblen within 20 s"
}

# Visible windows whose name matches the regex $1, one id a line; with an
# empty $1, every visible window of the game, named or not (a window without a
# title bar leaves its X name empty).
windows_named() {
  if [ -n "$1" ]; then
    xdotool search --onlyvisible --name "$1" 2>/dev/null || true
  else
    xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null || true
  fi
}

# Waits up to $2 tenths of a second for a visible window named like the regex
# $1 (see windows_named) other than the ids given after it, and prints its id.
# The game's dialogs and message boxes mostly carry the main window's own
# name, so they are told apart from it, and from each other, by id.
wait_for_window() {
  local pattern=$1 tenths=$2 i id excluded
  shift 2
  for ((i = 0; i < tenths; i++)); do
    for id in $(windows_named "$pattern"); do
      for excluded in "$@"; do [ "$id" = "$excluded" ] && continue 2; done
      echo "$id"
      return 0
    done
    kill -0 "$game_pid" 2>/dev/null || fail "the game exited while waiting for a window named $pattern"
    sleep 0.1
  done
  return 1
}

is_visible() {
  xdotool search --onlyvisible --name "" 2>/dev/null | grep -x "$1" >/dev/null
}

# Waits up to $2 tenths of a second for window $1 to go away.
wait_gone() {
  local i
  for ((i = 0; i < $2; i++)); do
    is_visible "$1" || return 0
    sleep 0.1
  done
  return 1
}

# There is no window manager: keys go to whichever window holds the focus,
# and a closed dialog leaves it on the root window.
focus_window() {
  timeout 5 xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
}

shot() {  # shot NAME: screenshot of the whole screen as NAME.ppm
  import -window root -depth 8 "ppm:$work/$1.ppm"
}

read_board() {  # read_board NAME: the board shown on screenshot NAME
  "$probe" read "$work/$1.ppm" "$board_x" "$board_y" "$columns" "$rows"
}

# Finds a full board of $columns x $rows on the screen (the first paint may
# lag the window's mapping a little), sets board_x and board_y, and leaves
# that board in $work/$1.grid.
locate_board() {
  local i origin
  board_x="" board_y=""
  for ((i = 0; i < 100; i++)); do
    shot "$1"
    if origin=$("$probe" locate "$work/$1.ppm" "$columns" "$rows"); then
      read -r board_x board_y <<<"$origin"
      read_board "$1" >"$work/$1.grid"
      cp "$work/$1.grid" "$work/last.grid"
      return 0
    fi
    sleep 0.1
  done
  fail "no full $columns x $rows board on the screen"
}

# Waits until the screen shows the board in grid file $1.
wait_for_board() {
  local i
  for ((i = 0; i < 100; i++)); do
    shot now
    read_board now >"$work/last.grid"
    cmp -s "$work/last.grid" "$1" && return 0
    sleep 0.1
  done
  return 1
}

# Moves the pointer and waits until the server has it there. (mousemove
# --sync never returns when the pointer is already in place.)
move_pointer() {  # move_pointer X Y
  xdotool mousemove "$1" "$2"
  wait_for 50 test "$(xdotool getmouselocation --shell 2>/dev/null | head -n 2 | tr '\n' ' ')" = "X=$1 Y=$2 " ||
    fail "the pointer did not move to $1 $2"
}

click_cell() {  # click_cell COLUMN ROW
  (($1 >= 0 && $1 < columns && $2 >= 0 && $2 < rows)) ||
    fail "no cell $1, $2 on the $columns x $rows board at $board_x, $board_y"
  move_pointer $((board_x + 40 * $1 + 20)) $((board_y + 40 * $2 + 20))
  sleep 0.3
  xdotool click 1
}

# Game > Options from the keyboard: the dialog opens with the focus on the
# board-size list; Home picks its first item (Small), Tab and Home the first
# number of tiles (2 Tiles), Enter is OK, and Enter again answers the default
# Yes. In another language, $1 is the dialog's title and $2 the key that
# answers Yes (Qt's own button, by its access key).
switch_to_small_two_kinds() {
  local options title=${1:-^Karoblen Options$} yes=${2:-Return}
  focus_window "$window"
  xdotool key ctrl+o
  options=$(wait_for_window "$title" 50) || fail "Ctrl+O opened no $title dialog"
  focus_window "$options"
  xdotool key Home
  sleep 0.2
  xdotool key Tab
  sleep 0.2
  xdotool key Home
  sleep 0.2
  accept_options_and_restart "$options" "$title" "$yes"
}

# Enter is OK in the Options window $1, and the key $3 (Enter, the default
# Yes, unless given) answers the question titled $2 before the new game.
accept_options_and_restart() {
  local question title=${2:-^Karoblen Options$} yes=${3:-Return}
  xdotool key Return
  wait_gone "$1" 50 || fail "OK did not close the options dialog"
  question=$(wait_for_window "$title" 50 "$1") || fail "no question before restarting"
  focus_window "$question"
  xdotool key "$yes"
  wait_gone "$question" 50 || fail "Yes did not close the question"
}

# The keyboard cursor's cell on the screen as "COLUMN ROW", read from its
# focus frame; fails while the cursor is hidden.
cursor_cell() {
  shot cursor
  "$probe" cursor "$work/cursor.ppm" "$board_x" "$board_y" "$columns" "$rows"
}

cursor_is() {  # cursor_is COLUMN ROW
  [ "$(cursor_cell)" = "$1 $2" ]
}

# Walks the keyboard cursor to cell $1 $2 with the arrow keys, showing it
# first if need be, and waits until its frame is there. The game's window
# must have the keyboard focus.
walk_cursor() {
  local at column row keys=()
  if ! at=$(cursor_cell); then
    xdotool key Left  # the first arrow only shows the cursor, bottom left
    wait_for 50 cursor_is 0 $((rows - 1)) || fail "the first arrow key did not show the cursor bottom left"
    at="0 $((rows - 1))"
  fi
  read -r column row <<<"$at"
  for ((; column < $1; column++)); do keys+=(Right); done
  for ((; column > $1; column--)); do keys+=(Left); done
  for ((; row < $2; row++)); do keys+=(Down); done
  for ((; row > $2; row--)); do keys+=(Up); done
  if ((${#keys[@]} > 0)); then xdotool key --delay 20 "${keys[@]}"; fi
  wait_for 50 cursor_is "$1" "$2" ||
    fail "the keyboard cursor went from $at to $(cursor_cell || echo nowhere), not to $1 $2"
}

# Exit through the File menu (Alt+F, then E(x)it, or the keys $1 and $2 of
# another language); the game must end with 0.
exit_through_menu() {
  local i
  focus_window "$window"
  xdotool key "${1:-alt+f}"
  sleep 0.5
  xdotool key "${2:-x}"
  for ((i = 0; i < 50; i++)); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$game_pid" 2>/dev/null; then fail "File > Exit did not end the game"; fi
  local status=0
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

# Needs python3. Writes a score file of blank entries to $1, with the entries given after it
# as RECORD:NAME:SCORE in their places. The layout is spelt out here, not taken
# from the game: 17-byte name field, zero separator, big-endian score.
write_score_file() {
  python3 - "$@" <<'EOF'
import struct, sys
records = [b" " * 16 + b"\0" + b"\0" + struct.pack(">i", 0)] * 120
for spec in sys.argv[2:]:
    record, name, score = spec.split(":")
    records[int(record)] = name.encode("latin-1").ljust(17, b"\0") + b"\0" + struct.pack(">i", int(score))
data = b"".join(records)
assert len(data) == 2640
open(sys.argv[1], "wb").write(data)
EOF
}
