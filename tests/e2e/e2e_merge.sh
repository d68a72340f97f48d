#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server: merge a friend's score file through File >
# Merge High Score Files (Ctrl+M) and the real file dialog, typing the name
# without its extension. The summary counts one entry added, and the player's
# blank tables, written out after the summary is closed, become the friend's
# file byte for byte.
#
# usage: e2e_merge.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2" python3 od cmp
columns=10
rows=7

# One entry, 300 for "Friend" on Medium with 3 kinds: table 4, record 40.
write_score_file "$work/friend.scr" "40:Friend:300"
[ "$(od -An -v -tx1 -j 880 -N 22 "$work/friend.scr" | tr -s ' \n' ' ')" = \
  " 46 72 69 65 6e 64 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 2c " ] ||
  fail "the friend's file is not laid out as meant"
# The name typed has no extension, so the dialog must look for friend.scr, not
# for this file, which is not a score file at all.
printf 'not a score file\n' >"$work/friend"

start_xvfb
start_game
locate_board start
[ ! -e "$work/Karoblen.scr" ] || fail "the game wrote a score file before any score"

focus_window "$window"
xdotool key ctrl+m
chooser=$(wait_for_window '^Select High Score File To Merge$' 100) ||
  fail "Ctrl+M opened no window titled Select High Score File To Merge"
focus_window "$chooser"
xdotool type --delay 30 friend
sleep 0.3
xdotool key Return
wait_gone "$chooser" 50 || fail "Enter did not accept the file name"

summary=$(wait_for_window '^Karoblen$' 50 "$window") || fail "no message box after the merge"
# The score file is written once the summary has been closed, not before.
sleep 0.3
[ ! -e "$work/Karoblen.scr" ] || fail "the score file was written while the summary was still open"
focus_window "$summary"
xdotool key Return
wait_gone "$summary" 50 || fail "Enter did not close the merge summary"

wait_for 50 test -s "$work/Karoblen.scr" || fail "no Karoblen.scr after the merge"
size=$(stat -c %s "$work/Karoblen.scr")
[ "$size" -eq 2640 ] || fail "Karoblen.scr has $size bytes, not 2640"
if ! cmp "$work/friend.scr" "$work/Karoblen.scr"; then
  cmp -l "$work/friend.scr" "$work/Karoblen.scr" | head -n 20 >&2 || true
  fail "Karoblen.scr is not the friend's file: the merge was refused or placed the entry elsewhere"
fi

exit_through_menu
echo "PASS: Ctrl+M, friend typed in the file dialog, summary closed, Karoblen.scr equals friend.scr"
