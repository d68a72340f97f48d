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
# Then a real screen reader, Orca, with its speech logged instead of spoken
# (speech-dispatcher with its dummy voice): what it says, matched loosely by
# the words that matter, for a move and the cell under the cursor after it,
# an undo, a change in Options, the tally and the rows of High Scores. Without
# Orca the bus-level checks still run and the test reports a skip.
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
bus_pid="" launcher_pid="" registry_pid="" orca_pid=""
stop_buses() {
  local child
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$orca_pid" ] && kill "$orca_pid" 2>/dev/null || true
  [ -n "$orca_pid" ] && stop_speech_server
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

# Orca's table of Small boards of 2 kinds, which the game at the end of the
# test is played on, is not empty; the Medium one that the bus-level checks
# read is.
write_score_file "$work/Karoblen.scr" "0:ALICE:5000" "1:BOB:3000"

# Orca, with its speech logged.
start_orca() {
  mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$work/orca"
  # The dummy voice; Orca starts the speech server itself, as on a desktop,
  # and the server finds this configuration.
  printf '%s\n' 'AddModule "dummy" "sd_dummy" ""' 'DefaultModule dummy' 'AudioOutputMethod "libao"' \
    >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  # Orca writes its log in blocks; the test reads it while Orca runs, so each
  # line must be there as soon as it is said.
  printf '%s\n' 'import orca.debug' \
    'if orca.debug.debugFile: orca.debug.debugFile.reconfigure(line_buffering=True)' \
    >"$work/orca/orca-customizations.py"
  HOME="$work" orca --user-prefs "$work/orca" --debug-file "$work/orca.debug" >"$work/orca.log" 2>&1 &
  orca_pid=$!
}
# The speech server that Orca started, which has left Orca's process group.
stop_speech_server() {
  local pid
  for pid in $(cat "$XDG_RUNTIME_DIR"/speech-dispatcher/pid/*.pid 2>/dev/null); do
    kill "$pid" 2>/dev/null || true
  done
}
have_orca=0
if command -v orca >/dev/null 2>&1 && command -v speech-dispatcher >/dev/null 2>&1; then have_orca=1; fi

start_xvfb
# As on a desktop, the screen reader is up before the game starts.
if ((have_orca)); then
  start_orca
  wait_for 200 grep -aq "ORCA: Startup complete" "$work/orca.debug" ||
    fail "Orca did not start: $(tail -n 5 "$work/orca.log")"
  # The toolkit hands every key to the screen reader first and, when the
  # answer comes late, as it does beside a sanitized game, drops the copies
  # kept for windows closed meanwhile without freeing them. Nothing of ours
  # is on those stacks, and the unit tests check our accessible objects for
  # leaks, so leak checking is off for this one game only.
  if [ -n "${ASAN_OPTIONS:-}" ]; then export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"; fi
fi
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
grep -qx "menu item|New Game|;;<Control>n" "$work/tree" ||
  fail "New Game is not named by its text with Ctrl+N as its accelerator: $(grep 'New Game' "$work/tree")"
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

if ((!have_orca)); then
  exit_through_menu
  echo "SKIP: the bus-level checks passed; orca or speech-dispatcher is not installed" >&2
  exit 77
fi

# What Orca has said so far, an utterance a line.
spoken() {
  grep -ao "SPEECH OUTPUT: '.*'" "$work/orca.debug" | sed "s/^SPEECH OUTPUT: '//; s/' \?{.*//; s/'\$//"
}
mark() { spoken | wc -l; }
# Whether Orca said something matching the extended regex $2 since mark $1.
said_since() { spoken | tail -n +$(($1 + 1)) | grep -Eq -- "$2"; }
# Waits up to 5 s for Orca to say it, or fails naming what it heard for $3.
expect_said() {
  wait_for 50 said_since "$1" "$2" ||
    fail "Orca did not say /$2/ for $3; it said: $(spoken | tail -n +$(($1 + 1)) | tr '\n' '|')"
}

# A move: the new score, and the cell under the cursor, which now shows
# whatever fell into it.
focus_window "$window"
shot orca
read_board orca >"$work/orca.grid"
cell=$("$probe" largest "$work/orca.grid") || fail "the board has no move left for Orca to hear"
read -r column row size <<<"$cell"
walk_cursor "$column" "$row"
before=${score#Score: }
at=$(mark)
xdotool key Return
expect_said "$at" "Score: $((before + (size - 2) * (size - 2)))" "a move"
expect_said "$at" "Column $((column + 1)), row $((row + 1))" "the cell under the cursor after a move"

# An undo: the score it restores.
at=$(mark)
xdotool key ctrl+z
expect_said "$at" "Score: $before\b" "an undo"

# Options: each drop-down with its value, and every change of it.
at=$(mark)
xdotool key ctrl+o
options=$(wait_for_window '^Karoblen Options$' 50) || fail "Ctrl+O opened no Karoblen Options dialog"
expect_said "$at" "Board Size" "the focused drop-down in Options"
expect_said "$at" "^Medium" "the board size chosen when Options opens"
for step in "Home:^Small" "Tab:Number of Tiles" "Home:^2 Tiles"; do
  at=$(mark)
  xdotool key "${step%%:*}"
  expect_said "$at" "${step#*:}" "${step%%:*} in Options"
done
accept_options_and_restart "$options"

# A whole game on the Small board, to the tally.
columns=6
rows=5
locate_board small
points=0
while move=$("$probe" largest "$work/small.grid"); do
  read -r column row size <<<"$move"
  "$probe" after "$work/small.grid" "$column" "$row" >"$work/next.grid"
  points=$((points + (size - 2) * (size - 2)))
  at=$(mark)
  click_cell "$column" "$row"
  "$probe" largest "$work/next.grid" >/dev/null || break
  wait_for_board "$work/next.grid" || fail "the board did not settle as the rules say"
  cp "$work/next.grid" "$work/small.grid"
done
left=$(tr -cd '0-4' <"$work/next.grid" | wc -c)
final=$((points - left + (left == 0 ? 1000 : 0)))
expect_said "$at" "Game Score: $points" "the tally's first row"
expect_said "$at" "Tiles Left: $left" "the tally's second row"
expect_said "$at" "Bonus: $((left == 0 ? 1000 : 0))" "the tally's third row"
expect_said "$at" "Final score: $final" "the end of the tally"

# High Scores, entered with Tab and read row by row.
if ((final > 0)); then
  prompt=$(wait_for_window '^Karoblen$' 150 "$window") || fail "a final score of $final asked for no name"
  focus_window "$prompt"
  xdotool type --delay 30 "Tester"
  xdotool key Return
  wait_gone "$prompt" 50 || fail "Enter did not close the name prompt"
fi
scores=$(wait_for_window "^Karoblen High Scores$" 150) || fail "no High Scores after the game"
focus_window "$scores"
at=$(mark)
xdotool key Tab
# The keyboard starts on the entry just made, if any.
if ((final > 0)); then
  expect_said "$at" "Tester" "the new entry, where High Scores start"
  expect_said "$at" "^$final\.?$" "the new entry's score"
  if ((final <= 5000)); then
    at=$(mark)
    xdotool key Home
  fi
fi
if ((final <= 5000)); then
  expect_said "$at" "ALICE" "the first row of High Scores"
  expect_said "$at" "5000" "the first row's score"
  at=$(mark)
  xdotool key Down
  expect_said "$at" "BOB|Tester" "the second row of High Scores"
fi
xdotool key Return
wait_gone "$scores" 50 || fail "High Scores stayed open"

# A menu command with its shortcut. The window has just taken the focus
# back from High Scores, and on a busy machine an Alt+F may come before it
# is ready, more than once. A starved screen reader answers the toolkit's
# question about each key only seconds later, and the toolkit then takes
# Alt's release as Alt pressed alone, which closes the menu again before the
# reader has come to it: Alt is held until the menu is heard.
for attempt in 1 2 3 4; do
  focus_window "$window"
  at=$(mark)
  xdotool keydown alt key f
  heard=0
  wait_for 100 said_since "$at" "New Game" && heard=1
  xdotool keyup alt
  ((heard)) && break
  xdotool key Escape
  sleep 0.5
done
expect_said "$at" "New Game.*Ctrl\+N" "the shortcut of New Game"
xdotool key Escape
sleep 0.2
xdotool key Escape

# Everything Orca had to hear is heard. A busy screen reader answers the
# toolkit's question about every key late, and the keys then arrive late and
# out of turn; without it the menu takes Alt+F and X as typed.
kill "$orca_pid" 2>/dev/null || true
wait "$orca_pid" 2>/dev/null || true
orca_pid=""
stop_speech_server
sleep 1
exit_through_menu
echo "PASS: the board read over the accessibility bus, the cursor focused, the score told and announced ($score), menus, Options and High Scores named; Orca heard a move, the cell after it, an undo, Options, the tally, High Scores and a shortcut"
