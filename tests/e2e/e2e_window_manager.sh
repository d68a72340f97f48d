#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end under a real window manager (openbox) on a virtual X server:
# once the window is framed, the smallest size it allows is 640 x 440 for the
# outside of the frame, before any resize and after one. Read from the
# window's size hints and the frame the window manager reports. The fixed-size
# dialogs, with a close box (About) and without (Options), tell the window
# manager they have nothing to minimise or maximise, and it offers neither
# resizing nor maximising. Exit 77
# (skipped) only when the tools are missing.
#
# usage: e2e_window_manager.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
source "$(dirname "$0")/lib.sh"

e2e_begin "$1" "$2" openbox xprop xwininfo
min_outer_width=640
min_outer_height=440

start_xvfb
start_window_manager
start_game

# Left, right, top and bottom of the frame, once the window manager says.
frame_extents() {
  xprop -id "$window" -notype _NET_FRAME_EXTENTS |
    sed -n 's/^_NET_FRAME_EXTENTS = \([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)$/\1 \2 \3 \4/p'
}
# The smallest inside the window asks the window manager for.
min_hint() {
  xprop -id "$window" WM_NORMAL_HINTS |
    sed -n 's/^[[:space:]]*program specified minimum size: \([0-9]*\) by \([0-9]*\)$/\1 \2/p'
}
inside_size() {
  xwininfo -id "$window" | awk '/^  Width:/ { w = $2 } /^  Height:/ { h = $2 } END { print w, h }'
}
# The outer size the hints allow at the least, with the frame as it is now.
min_outer() {
  local left right top bottom width height
  read -r left right top bottom <<<"$(frame_extents)"
  read -r width height <<<"$(min_hint)"
  [ -n "$bottom" ] && [ -n "$height" ] || return 1
  echo "$((width + left + right)) $((height + top + bottom))"
}
min_outer_is_right() {
  [ "$(min_outer)" = "$min_outer_width $min_outer_height" ]
}

wait_for 50 test -n "$(frame_extents)" || fail "the window manager never framed the window"
read -r left right top bottom <<<"$(frame_extents)"
[ $((left + right + top + bottom)) -gt 0 ] || fail "the window manager's frame has no width"

# Before any resize: the hints follow the frame as soon as it is there.
wait_for 50 min_outer_is_right ||
  fail "before any resize the smallest outer size is $(min_outer), not $min_outer_width $min_outer_height (hints: $(min_hint), frame: $(frame_extents))"
hint_before=$(min_hint)

# Asking for less than the minimum gets exactly the minimum, outside.
xdotool windowsize "$window" 300 200
outer_is_minimum() {
  local width height
  read -r width height <<<"$(inside_size)"
  [ "$((width + left + right)) $((height + top + bottom))" = "$min_outer_width $min_outer_height" ]
}
wait_for 50 outer_is_minimum ||
  fail "asked for 300 x 200, the window is $(inside_size) inside a frame of $(frame_extents)"
[ "$(min_hint)" = "$hint_before" ] ||
  fail "the minimum-size hint changed from $hint_before to $(min_hint) after a resize"
min_outer_is_right || fail "after a resize the smallest outer size is $(min_outer)"

# The Motif hints give the functions and decorations, neither with minimise
# (function 8, decoration 32) or maximise (16, 64); without them the window
# manager would add both buttons.
dialog_asks_for_no_buttons() {  # dialog_asks_for_no_buttons WINDOW NAME
  local hints flags functions decorations actions
  hints=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/^_MOTIF_WM_HINTS([^)]*) = //p' | tr -d ' ')
  IFS=, read -r flags functions decorations _ <<<"$hints"
  [ -n "$decorations" ] || fail "the $2 dialog sets no Motif hints"
  (((flags & 3) == 3)) || fail "the $2 dialog's Motif hints ($hints) leave its functions or decorations to the window manager"
  ((functions & 24)) && fail "the $2 dialog's Motif hints ($hints) offer minimise or maximise"
  ((decorations & 96)) && fail "the $2 dialog's Motif hints ($hints) ask for a minimise or maximise button"
  actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
  case $actions in
    *MAXIMIZE* | *ACTION_RESIZE*) fail "the window manager lets the fixed-size $2 dialog be resized or maximised: $actions" ;;
  esac
  return 0
}
open_dialog() {  # open_dialog NAME-REGEX KEY...: prints the dialog's window
  local dialog key
  focus_window "$window"
  for key in "${@:2}"; do
    xdotool key "$key"
    sleep 0.3
  done
  dialog=$(wait_for_window "$1" 50 "$window") || fail "no window named $1 after ${*:2}"
  wait_for 50 test -n "$(xprop -id "$dialog" _NET_WM_ALLOWED_ACTIONS | grep ACTION)"
  echo "$dialog"
}
options=$(open_dialog '^Karoblen Options$' ctrl+o)
dialog_asks_for_no_buttons "$options" Options
focus_window "$options"
xdotool key Escape
wait_gone "$options" 50 || fail "Escape did not close the Options dialog"
about=$(open_dialog '^About Karoblen$' alt+h a)
dialog_asks_for_no_buttons "$about" About
focus_window "$about"
xdotool key Return
wait_gone "$about" 50 || fail "Return did not close the About box"

exit_through_menu
echo "PASS: smallest outer size $min_outer_width x $min_outer_height (inside $hint_before, frame $left $right $top $bottom) before and after a resize; the dialogs ask for no minimise or maximise button"
