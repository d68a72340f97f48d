#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server, the way the desktop menu starts the game:
# installed into a scratch prefix, the menu entry's Exec line run in the home
# directory. The game moves into $XDG_DATA_HOME/karoblen, made private on
# first use, and a merge (Ctrl+M) writes the score file there, not in $HOME.
# The window's class is the one the entry names, so the desktop can tell
# which entry the window belongs to. When the data directory cannot be made,
# the player, who sees no terminal, gets a message box, and the game ends
# with status 1 once it is closed.
#
# usage: e2e_menu_entry.sh BUILD_DIR BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

build=$1
e2e_begin "$build/karoblen" "$2" cmake python3 cmp xprop
columns=10
rows=7

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed"
entry=$prefix/share/applications/invalid.karoblen.Karoblen.desktop
[ -f "$entry" ] || fail "no menu entry at $entry"
# The entry's own Exec line, not those of its actions.
exec_line=$(sed -n '/^\[Desktop Entry\]/,/^\[/s/^Exec=//p' "$entry")
action_line=$(sed -n '/^\[Desktop Action TileSymbols\]/,/^\[/s/^Exec=//p' "$entry")
[ "$action_line" = "$exec_line --tile-symbols" ] ||
  fail "the Tile Symbols action does not start the entry's command with --tile-symbols: $action_line"
[ -n "$exec_line" ] || fail "the menu entry has no Exec line"
# A launcher expands %-codes and quotes; the game's line needs neither.
case $exec_line in *[%\"\'\\]*) fail "Exec line needs expanding: $exec_line" ;; esac

home=$work/home
data=$work/data
mkdir -m 700 "$home"
write_score_file "$work/friend.scr" "40:Friend:300"

start_xvfb
: >"$work/not-a-directory"
# shellcheck disable=SC2086  # the Exec line is split into words, as a launcher does
start_command "$home" env HOME="$home" XDG_DATA_HOME="$work/not-a-directory" \
  PATH="$prefix/games:$PATH" $exec_line
grep -q 'cannot keep its scores in its data directory' "$work/game.log" ||
  fail "a failed start says nothing on stderr: $(cat "$work/game.log")"
focus_window "$window"
xdotool key Return
wait_gone "$window" 50 || fail "Return did not close the message box"
status=0
wait "$game_pid" || status=$?
[ "$status" = 1 ] || fail "the failed start ended with status $status, not 1"
game_pid=""

# shellcheck disable=SC2086
start_command "$home" env HOME="$home" XDG_DATA_HOME="$data" PATH="$prefix/games:$PATH" $exec_line
locate_board start

[ "$(readlink "/proc/$game_pid/cwd")" = "$data/karoblen" ] ||
  fail "the game runs in $(readlink "/proc/$game_pid/cwd"), not in $data/karoblen"
for dir in "$data" "$data/karoblen"; do
  [ "$(stat -c %a "$dir")" = 700 ] || fail "$dir has mode $(stat -c %a "$dir"), not 700"
done
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
xprop -id "$window" WM_CLASS | grep -q "\"$wm_class\"\$" ||
  fail "window class $(xprop -id "$window" WM_CLASS) is not the entry's $wm_class"

focus_window "$window"
xdotool key ctrl+m
chooser=$(wait_for_window '^Select High Score File To Merge$' 100) ||
  fail "Ctrl+M opened no window titled Select High Score File To Merge"
focus_window "$chooser"
xdotool type --delay 30 "$work/friend.scr"
sleep 0.3
xdotool key Return
wait_gone "$chooser" 50 || fail "Enter did not accept the file name"
summary=$(wait_for_window '^Karoblen$' 50 "$window") || fail "no message box after the merge"
focus_window "$summary"
xdotool key Return
wait_gone "$summary" 50 || fail "Enter did not close the merge summary"

wait_for 50 test -s "$data/karoblen/Karoblen.scr" || fail "no Karoblen.scr in $data/karoblen"
cmp -s "$work/friend.scr" "$data/karoblen/Karoblen.scr" || fail "the merged score file differs"
# (Libraries may keep caches under ~/.cache; the game's own files stay out.)
leftovers=$(find "$home" -iname 'karoblen*' | head -n 5)
[ -z "$leftovers" ] || fail "the game left files in the home directory: $leftovers"

exit_through_menu
echo "PASS: Exec line '$exec_line' ran in $data/karoblen (0700), class $wm_class, merge saved there; a failed start showed a message box"
