#!/usr/bin/env bash
# End to end on a real X server: the game's window appears, a click removes a
# group and the board settles as the rules say, Ctrl+Z takes the move back.
# Everything is read from screenshots. Exit 77 (skipped) only when the tools
# for a virtual desktop are missing.
#
# usage: e2e_window.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2"
columns=10   # the Medium board every run starts with
rows=7

start_xvfb
start_game
locate_board start

# The view fills the window's width and centres the board in it.
eval "$(xdotool getwindowgeometry --shell "$window")"
expected_x=$((X + (WIDTH - 40 * columns) / 2))
[ "$board_x" -eq "$expected_x" ] ||
  fail "board starts at x $board_x, but a window at x $X, $WIDTH wide centres it at $expected_x"
[ "$board_y" -gt "$Y" ] && [ $((board_y + 40 * rows)) -lt $((Y + HEIGHT)) ] ||
  fail "board at y $board_y is not inside the window (y $Y, height $HEIGHT)"

if grep -q '[.?]' "$work/start.grid"; then fail "the first board is not fully dealt"; fi

cell=$("$probe" pick "$work/start.grid") || fail "the first board has no move"
read -r column row <<<"$cell"
"$probe" after "$work/start.grid" "$column" "$row" >"$work/expected.grid"

click_cell "$column" "$row"
if ! wait_for_board "$work/expected.grid"; then
  echo "expected after clicking column $column, row $row:" >&2
  cat "$work/expected.grid" >&2
  fail "the board did not settle as the rules say"
fi

# Undo from the keyboard; the window needs the keyboard focus first.
focus_window "$window"
xdotool key ctrl+z
wait_for_board "$work/start.grid" || fail "Ctrl+Z did not bring the first board back"

exit_through_menu
echo "PASS: window, click at column $column, row $row, settle, undo, exit"
