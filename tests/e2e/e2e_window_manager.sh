#!/usr/bin/env bash
# End to end under a real window manager (openbox) on a virtual X server:
# once the window is framed, the smallest size it allows is 640 x 440 for the
# outside of the frame, before any resize and after one. Read from the
# window's size hints and the frame the window manager reports. Exit 77
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

exit_through_menu
echo "PASS: smallest outer size $min_outer_width x $min_outer_height (inside $hint_before, frame $left $right $top $bottom) before and after a resize"
