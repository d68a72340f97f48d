#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end natively on Wayland: sway with its headless output and software
# renderer, and no X server at all, so the toolkit takes Wayland as it does in
# a Wayland session. Checks that the window's app_id is the menu entry's id,
# that the board paints, and that a move played from the keyboard (wtype)
# changes the board as the rules say; screenshots come from grim.
#
# Sway will not run as root. Run as root (as CI does), the script starts
# itself again as `nobody`, with copies of the programs in a scratch
# directory that user owns, its runtime directory among them. Exit 77
# (skipped) only when a tool or the toolkit's Wayland plugin is missing.
#
# usage: e2e_wayland.sh KAROBLEN_BINARY BOARD_PROBE
set -euo pipefail
# For fail and wait_for only: this script starts no X server.
source "$(dirname "$0")/lib.sh"
app_id=invalid.karoblen.Karoblen
columns=10
rows=7

need_tools sway swaymsg wtype grim python3
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
[ -e "$plugins/platforms/libqwayland-generic.so" ] || missing_tool "the toolkit's Wayland plugin (qt6-wayland) is not installed"

if [ "$(id -u)" = 0 ] && [ -z "${KAROBLEN_E2E_DROPPED:-}" ]; then
  command -v setpriv >/dev/null 2>&1 || missing_tool "setpriv is missing, and sway does not run as root"
  work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-wayland-XXXXXX")
  trap 'rm -rf "$work"' EXIT
  cp "$1" "$work/karoblen"
  cp "$2" "$work/board_probe"
  # The scripts keep their places relative to each other.
  mkdir "$work/e2e"
  cp "$0" "$work/e2e/e2e_wayland.sh"
  cp "$(dirname "$0")/lib.sh" "$work/e2e/lib.sh"
  cp "$(dirname "$0")/../need_tools.sh" "$work/need_tools.sh"
  chown -R nobody "$work"
  status=0
  (cd "$work" && exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env KAROBLEN_E2E_DROPPED="$work" "$work/e2e/e2e_wayland.sh" "$work/karoblen" "$work/board_probe") ||
    status=$?
  exit "$status"
fi

game=$(readlink -f "$1")
probe=$(readlink -f "$2")
work=${KAROBLEN_E2E_DROPPED:-}
if [ -z "$work" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-wayland-XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
sway_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -z "${KAROBLEN_E2E_DROPPED:-}" ] && rm -rf "$work"
  return 0
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# A session of the test's own: nothing of the tester's desktop is reached.
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM SWAYSOCK PULSE_SERVER DBUS_SESSION_BUS_ADDRESS
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
export XDG_SESSION_TYPE=wayland
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
cat >"$work/sway.conf" <<CONF
xwayland disable
output HEADLESS-1 resolution 1024x768 position 0 0
for_window [app_id=".*"] floating enable
CONF
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway --config "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
socket_up() {
  compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null && compgen -G "$XDG_RUNTIME_DIR/wayland-*" >/dev/null
}
wait_for 100 socket_up || fail "sway did not start: $(tail -n 5 "$work/sway.log")"
SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -n 1)
WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*" | grep -v '\.lock$' | head -n 1)")
export SWAYSOCK WAYLAND_DISPLAY
wait_for 50 swaymsg -t get_outputs || fail "sway does not answer: $(tail -n 5 "$work/sway.log")"

(cd "$work" && exec "$game") >"$work/game.log" 2>&1 &
game_pid=$!

# The app_ids of the windows sway shows, one a line.
app_ids() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id"):
        print(node["app_id"])
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
has_window() { [ -n "$(app_ids)" ]; }
wait_for 200 has_window || fail "no window of the game within 20 s"
[ "$(app_ids)" = "$app_id" ] || fail "the window's app_id is $(app_ids | tr '\n' ' '), not $app_id"

shot() { grim -t ppm "$work/$1.ppm"; }
locate() {
  shot start && origin=$("$probe" locate "$work/start.ppm" "$columns" "$rows")
}
wait_for 100 locate || fail "no full $columns x $rows board on the screen"
read -r board_x board_y <<<"$origin"
"$probe" read "$work/start.ppm" "$board_x" "$board_y" "$columns" "$rows" >"$work/start.grid"
cp "$work/start.grid" "$work/last.grid"

# The largest group, walked to with the arrows: the first shows the cursor
# on the bottom-left cell, and its frame is waited for before the next.
read -r column row _ <<<"$("$probe" largest "$work/start.grid")" || fail "no move on the first board"
"$probe" after "$work/start.grid" "$column" "$row" >"$work/next.grid"
cursor_is() {  # cursor_is COLUMN ROW
  shot cursor && [ "$("$probe" cursor "$work/cursor.ppm" "$board_x" "$board_y" "$columns" "$rows")" = "$1 $2" ]
}
# Each wtype brings a keyboard of its own to the seat, which the game takes a
# moment to bind and be given the focus of; keys sent before then are lost.
type_keys() { wtype -s 400 "$@"; }
type_keys -k Left || fail "wtype could not type"
wait_for 50 cursor_is 0 $((rows - 1)) || fail "the first arrow key did not show the cursor bottom left"
keys=()
for ((i = 0; i < column; i++)); do keys+=(-k Right); done
for ((i = rows - 1; i > row; i--)); do keys+=(-k Up); done
if ((${#keys[@]} > 0)); then type_keys -d 30 "${keys[@]}"; fi
wait_for 50 cursor_is "$column" "$row" || fail "the arrow keys did not bring the cursor to $column $row"
type_keys -k Return
board_is_next() {
  shot now && "$probe" read "$work/now.ppm" "$board_x" "$board_y" "$columns" "$rows" >"$work/last.grid" &&
    cmp -s "$work/last.grid" "$work/next.grid"
}
wait_for 100 board_is_next || fail "Return on column $column, row $row did not play the move"

kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=""
grep -v -e '^$' "$work/game.log" >&2 || true
echo "PASS: app_id $app_id, the board painted, and the keyboard played column $column, row $row"
