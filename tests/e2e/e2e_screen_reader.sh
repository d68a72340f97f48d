#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end with assistive technology: a private D-Bus session with its
# accessibility bus, the game with accessibility on, and the board read from
# outside as a screen reader reads it. The table's cells must name the colours
# the screen shows; the keyboard cursor must be the focused cell; the score
# texts must be labels, and a move must be told as the score label's new name
# and announced as a notification shown. Menu items are named by their text,
# with the shortcut apart; the Options drop-downs by their labels; High
# Scores reads as a table.
#
# usage: e2e_screen_reader.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

launcher=/usr/libexec/at-spi-bus-launcher
registry=/usr/libexec/at-spi2-registryd
reader=(/usr/bin/python3 "$(dirname "$(readlink -f "$0")")/at_spi_reader.py")
e2e_begin "$1" "$2" dbus-daemon "$launcher" "$registry" pgrep /usr/bin/python3
/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || missing_tool "python3-dbus or python3-gi is not installed"
columns=10
rows=7

# The session bus; the accessibility bus, which the launcher starts and
# names on it; and the registry on that bus. All are this script's own
# children or the launcher's, so that each is reaped when the test ends, and
# their sockets live in the scratch directory.
bus_pid="" launcher_pid="" registry_pid=""
stop_buses() {
  local child
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$registry_pid" ] && kill "$registry_pid" 2>/dev/null || true
  if [ -n "$launcher_pid" ]; then
    # The accessibility bus first, while the launcher is there to reap it.
    for child in $(pgrep -P "$launcher_pid" || true); do kill "$child" 2>/dev/null || true; done
    sleep 0.2
    kill "$launcher_pid" 2>/dev/null || true
  fi
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
  e2e_cleanup
}
trap stop_buses EXIT
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
bus_pid=$!
wait_for 50 test -s "$work/bus" || fail "no D-Bus session: $(cat "$work/dbus.log")"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
"$launcher" --launch-immediately --a11y=1 >"$work/launcher.log" 2>&1 &
launcher_pid=$!
a11y_address() {
  /usr/bin/python3 -c 'import dbus; print(dbus.SessionBus().get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(dbus_interface="org.a11y.Bus"))'
}
wait_for 50 a11y_address || fail "no accessibility bus: $(cat "$work/launcher.log")"
AT_SPI_BUS_ADDRESS=$(a11y_address) "$registry" >"$work/registry.log" 2>&1 &
registry_pid=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

start_xvfb
start_game
locate_board start

"${reader[@]}" grid >"$work/read.grid" || fail "the board could not be read over the accessibility bus"
cmp -s "$work/read.grid" "$work/start.grid" || {
  echo "read over the accessibility bus:" >&2
  cat "$work/read.grid" >&2
  echo "on the screen:" >&2
  cat "$work/start.grid" >&2
  fail "the cells' names are not the colours on the screen"
}

"${reader[@]}" labels >"$work/labels"
grep -qx "Score: 0" "$work/labels" || fail "no label reads Score: 0: $(tr '\n' '|' <"$work/labels")"
grep -qx "Tiles Left: $((columns * rows))" "$work/labels" || fail "no label reads the tiles left"

"${reader[@]}" tree >"$work/tree"
! grep -q $'\t' "$work/tree" || fail "a name holds a tab: $(grep $'\t' "$work/tree" | head -n 1)"
grep -qx "menu item|New Game|Ctrl+N" "$work/tree" ||
  fail "New Game is not named by its text with Ctrl+N apart: $(grep 'New Game' "$work/tree")"
grep -q "^menu item|Tile Symbols|" "$work/tree" || fail "no Tile Symbols item"

# Dialogs: the Options drop-downs by their labels, High Scores as a table
# whose empty rows read as empty.
focus_window "$window"
xdotool key ctrl+o
wait_for 50 bash -c '"$@" tree | grep -q "^combo box|"' _ "${reader[@]}" || fail "Options did not open"
"${reader[@]}" tree >"$work/options"
for label in "Board Size:" "Number of Tiles:"; do
  grep -q "^combo box|$label|" "$work/options" ||
    fail "no drop-down named $label: $(grep 'combo box' "$work/options" | tr '\n' ' ')"
done
xdotool key Escape
wait_for 50 bash -c '! "$@" tree | grep -q "^combo box|"' _ "${reader[@]}" || fail "Options stayed open"
focus_window "$window"
xdotool key ctrl+h
scores=$(wait_for_window "^Karoblen High Scores$" 50) || fail "High Scores did not open"
wait_for 50 bash -c '"$@" table "High Scores" >"'"$work"'/scores"' _ "${reader[@]}" ||
  fail "High Scores is not a table on the accessibility bus"
[ "$(tr '\n' ' ' <"$work/scores")" = "1.|| 2.|| 3.|| 4.|| 5.|| 6.|| 7.|| 8.|| 9.|| 10.|| " ] ||
  fail "the empty High Scores read as: $(tr '\n' ' ' <"$work/scores")"
xdotool key Return
wait_gone "$scores" 50 || fail "High Scores stayed open"

# The cursor's cell is the focused one, wherever the arrows take it.
focus_window "$window"
walk_cursor 2 $((rows - 3))
[ "$("${reader[@]}" focus)" = "2 $((rows - 3))" ] || fail "the focused cell is not the cursor's"

# A move is told: the score label takes the new score as its name.
cell=$("$probe" largest "$work/start.grid") || fail "the first board has no move"
read -r column row size <<<"$cell"
walk_cursor "$column" "$row"
"${reader[@]}" told xdotool key Return >"$work/told"
score="Score: $(((size - 2) * (size - 2)))"
# A pair scores nothing, and an unchanged score is no news; a random Medium
# board of three kinds practically always has a larger group.
if ((size > 2)); then
  grep -qx "$score" "$work/told" || fail "the move was not told as \"$score\": $(tr '\n' '|' <"$work/told")"
fi
grep -qx "notification: $score" "$work/told" ||
  fail "the move was not announced as \"$score\": $(tr '\n' '|' <"$work/told")"

exit_through_menu
echo "PASS: the board read over the accessibility bus, the cursor focused, the score told and announced ($score), menus, Options and High Scores named"
