#!/usr/bin/env bash
# End to end on a real X server: the game's window appears, a click removes a
# group and the board settles as the rules say, Ctrl+Z takes the move back.
# Everything is read from screenshots. Exit 77 (skipped) only when the tools
# for a virtual desktop are missing.
#
# usage: e2e_window.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail

game=$(readlink -f "$1")
probe=$(readlink -f "$2")
columns=10   # the Medium board every run starts with
rows=7

for tool in Xvfb xdotool import; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed" >&2
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-e2e-XXXXXX")
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if [ "${KEEP_E2E_DIR:-0}" = 1 ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
# A timeout of the test runner must still take Xvfb and the game down.
trap 'exit 143' TERM INT HUP

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$work/last.grid" ]; then echo "last board seen:" >&2; cat "$work/last.grid" >&2; fi
  exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
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
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
display=":$(tr -d '[:space:]' <"$work/display")"
export DISPLAY=$display
wait_for 100 xdotool getmouselocation || fail "Xvfb did not come up on $display: $(cat "$work/xvfb.log")"
# Park the pointer away from where the window will be, so no hover interferes.
xdotool mousemove 1020 760

cd "$work"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$game" >"$work/game.log" 2>&1 &
game_pid=$!

window=""
for ((i = 0; i < 200; i++)); do
  window=$(xdotool search --onlyvisible --name '^Karoblen$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game exited early: $(cat "$work/game.log")"
  sleep 0.1
done
[ -n "$window" ] || fail "no window named Karoblen within 20 s"

shot() {  # shot NAME: screenshot of the whole screen as NAME.ppm
  import -window root -depth 8 "ppm:$work/$1.ppm"
}
read_board() {  # read_board NAME: the board shown on screenshot NAME
  "$probe" read "$work/$1.ppm" "$board_x" "$board_y" "$columns" "$rows"
}

# The first paint may lag the window's mapping a little.
board_x="" board_y=""
for ((i = 0; i < 100; i++)); do
  shot start
  if origin=$("$probe" locate "$work/start.ppm" "$columns" "$rows"); then
    read -r board_x board_y <<<"$origin"
    break
  fi
  sleep 0.1
done
[ -n "$board_x" ] || fail "no full $columns x $rows board on the screen"

# The view fills the window's width and centres the board in it.
eval "$(xdotool getwindowgeometry --shell "$window")"
expected_x=$((X + (WIDTH - 40 * columns) / 2))
[ "$board_x" -eq "$expected_x" ] ||
  fail "board starts at x $board_x, but a window at x $X, $WIDTH wide centres it at $expected_x"
[ "$board_y" -gt "$Y" ] && [ $((board_y + 40 * rows)) -lt $((Y + HEIGHT)) ] ||
  fail "board at y $board_y is not inside the window (y $Y, height $HEIGHT)"

read_board start >"$work/start.grid"
cp "$work/start.grid" "$work/last.grid"
if grep -q '[.?]' "$work/start.grid"; then fail "the first board is not fully dealt"; fi

cell=$("$probe" pick "$work/start.grid") || fail "the first board has no move"
read -r column row <<<"$cell"
"$probe" after "$work/start.grid" "$column" "$row" >"$work/expected.grid"

# Waits until the screen shows the board in grid file $1.
wait_for_board() {
  for ((i = 0; i < 100; i++)); do
    shot now
    read_board now >"$work/last.grid"
    cmp -s "$work/last.grid" "$1" && return 0
    sleep 0.1
  done
  return 1
}

click_x=$((board_x + 40 * column + 20))
click_y=$((board_y + 40 * row + 20))
timeout 5 xdotool mousemove --sync "$click_x" "$click_y" || fail "the pointer did not move"
sleep 0.3
xdotool click 1
if ! wait_for_board "$work/expected.grid"; then
  echo "expected after clicking column $column, row $row:" >&2
  cat "$work/expected.grid" >&2
  fail "the board did not settle as the rules say"
fi

# Undo from the keyboard; the window needs the keyboard focus first.
timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.2
xdotool key ctrl+z
wait_for_board "$work/start.grid" || fail "Ctrl+Z did not bring the first board back"

# Exit through the File menu: Alt+F, then E(x)it.
xdotool key alt+f
sleep 0.5
xdotool key x
for ((i = 0; i < 50; i++)); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then fail "File > Exit did not end the game"; fi
wait "$game_pid" || fail "the game ended with status $?: $(cat "$work/game.log")"
game_pid=""
echo "PASS: window, click at column $column row $row, settle, undo, exit"
