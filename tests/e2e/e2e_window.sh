#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server: the game's window appears, a click removes a
# group and the board settles as the rules say, Ctrl+Z takes the move back; a
# double-click is one move, which Ctrl+Z takes back too. Two starts with
# --board N show the same board, and N + 1 shows another; a --board that
# names no board ends the start with status 2, the reason and the usage,
# before any display is looked for.
# Everything is read from screenshots. Before that, a display that does not
# answer gets a plain sentence. Exit 77 (skipped) only when the tools for a
# virtual desktop are missing. The menu bar's words stand at its left end.
# With "rtl" the same in a right-to-left language the build ships (skipped
# when there is none): the menu bar's words stand at its right end, and the
# board is the same as ever, column 0 on the left, where the first arrow key
# shows the cursor and the arrows move it the way they point.
#
# usage: e2e_window.sh KAROBLEN_BINARY BOARD_PROBE [rtl]
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2"
columns=10   # the Medium board every run starts with
rows=7
direction=ltr
if [ "${3:-}" = rtl ]; then
  direction=rtl
  language=""
  for candidate in he ar fa ur yi; do
    if [ -f "$(dirname "$game")/locale/$candidate/LC_MESSAGES/karoblen.mo" ]; then language=$candidate; break; fi
  done
  if [ -z "$language" ]; then
    echo "SKIP: no right-to-left catalogue is built beside $game" >&2
    exit 77
  fi
  export LANGUAGE=$language LANG=C.UTF-8
  unset LC_ALL LC_MESSAGES
fi

# A network display that no longer answers, as after a remote session has
# ended, alone and after a Wayland socket that is gone: the same plain
# sentence as without any display, and status 1, not the toolkit's abort.
number=99
[ "$direction" = rtl ] || while (exec 3<>"/dev/tcp/localhost/$((6000 + number))") 2>/dev/null; do number=$((number + 1)); done
for wayland in "" gone-wayland; do
  [ "$direction" = ltr ] || break  # the sentence is checked in English
  status=0
  (cd "$work" && unset QT_QPA_PLATFORM WAYLAND_DISPLAY &&
    export DISPLAY="localhost:$number" XDG_RUNTIME_DIR="$work" &&
    if [ -n "$wayland" ]; then export WAYLAND_DISPLAY="$wayland"; fi &&
    exec timeout 30 "$game") >"$work/no-desktop.log" 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "DISPLAY=localhost:$number ${wayland:+WAYLAND_DISPLAY=$wayland }ended with status $status: $(cat "$work/no-desktop.log")"
  grep -q "^Karoblen needs a desktop .*no X server answers on display localhost:$number" "$work/no-desktop.log" ||
    fail "no plain message for DISPLAY=localhost:$number: $(cat "$work/no-desktop.log")"
  if [ -n "$wayland" ] && ! grep -qF "no Wayland compositor answers at $work/$wayland" "$work/no-desktop.log"; then
    fail "the message does not name the Wayland socket that is gone: $(cat "$work/no-desktop.log")"
  fi
done

# Without any display: a refused board number must end the start before
# the desktop is looked for (which would end it with status 1).
for args in "--board 12a" "--board 2147483648" "--board"; do
  [ "$direction" = ltr ] || break  # the messages are checked in English
  status=0
  (cd "$work" && unset DISPLAY WAYLAND_DISPLAY && exec timeout 30 "$game" $args) 2>"$work/board.log" || status=$?
  [ "$status" -eq 2 ] && grep -q '^Usage: karoblen .*--board N' "$work/board.log" &&
    grep -Eq 'cannot start on board "[0-9a-z]+"\. .|needs a board number after --board' "$work/board.log" ||
    fail "$args ended with status $status and said: $(cat "$work/board.log")"
done

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

# The menu bar's words, in the strip at the top of the window: in its left
# half, or right to left in its right half.
ink=$("$probe" ink "$work/start.ppm" "$X" $((Y + 3)) "$WIDTH" 16) || fail "no menu bar at the top of the window"
read -r ink_first ink_last <<<"$ink"
if [ "$direction" = rtl ]; then
  ((ink_first > WIDTH / 2)) || fail "the menu bar is not mirrored: its words span $ink_first to $ink_last of $WIDTH"
else
  ((ink_last < WIDTH / 2)) || fail "the menu bar's words span $ink_first to $ink_last of $WIDTH, not its left half"
fi

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

# A double-click where a second press would play again: the second press
# arrives during the move, and must not be a move of its own.
cell=$("$probe" again "$work/start.grid") || cell=$("$probe" pick "$work/start.grid")
read -r dcolumn drow <<<"$cell"
"$probe" after "$work/start.grid" "$dcolumn" "$drow" >"$work/double.grid"
move_pointer $((board_x + 40 * dcolumn + 20)) $((board_y + 40 * drow + 20))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
if ! wait_for_board "$work/double.grid"; then
  echo "expected after one move at column $dcolumn, row $drow:" >&2
  cat "$work/double.grid" >&2
  fail "a double-click did not leave the board of one move"
fi
sleep 1
shot now
read_board now >"$work/last.grid"
cmp -s "$work/last.grid" "$work/double.grid" || fail "a double-click made a second move"
focus_window "$window"
xdotool key ctrl+z
wait_for_board "$work/start.grid" || fail "Ctrl+Z after a double-click did not bring the first board back"
park_pointer

if [ "$direction" = rtl ]; then
  focus_window "$window"
  walk_cursor 3 2
  walk_cursor 1 4
  echo "PASS: $language: menu bar mirrored; board unmirrored: click at column $column, row $row, settle, undo, double-click at column $dcolumn, row $drow, undo, arrows"
  exit 0
fi
exit_through_menu

# --board N twice shows the same board, N + 1 another.
for name in first:1765000000 again:1765000000 next:1765000001; do
  start_command "$work" "$game" --board "${name#*:}"
  locate_board "${name%:*}"
  exit_through_menu
done
cmp -s "$work/again.grid" "$work/first.grid" || fail "two starts with --board 1765000000 showed two boards"
if cmp -s "$work/next.grid" "$work/first.grid"; then fail "--board 1765000001 showed the board of 1765000000"; fi

echo "PASS: unreachable display refused plainly; menu bar; board numbers that name no board refused with status 2; window, click at column $column, row $row, settle, undo, double-click at column $dcolumn, row $drow, undo, exit; --board N twice the same board, N + 1 another"
