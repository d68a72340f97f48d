#!/usr/bin/env bash
# Starts the game, or says plainly why it cannot show a window here.
set -eu
bin=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Karoblen needs a desktop to show its window, and there is none here (DISPLAY is not set)." >&2
  echo "Run 'make run' from a terminal inside your desktop session, or try: xvfb-run $bin" >&2
  exit 1
fi
exec "$bin"
