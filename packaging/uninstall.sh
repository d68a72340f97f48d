#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what `cmake --install BUILD --prefix PREFIX` put there. The same
# install into a scratch directory lists the files; then the directories of
# the game's own that are left empty go too. Other directories stay. As with
# `cmake --install`, a DESTDIR in the environment goes before the prefix.
#
# usage: uninstall.sh BUILD PREFIX
set -euo pipefail
build=$1
prefix=${2%/}
stage=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-uninstall-XXXXXX")
trap 'rm -rf "$stage"' EXIT

# The listing install goes into the scratch directory itself, not under
# DESTDIR: that names where the real install is, for the removal below.
env -u DESTDIR cmake --install "$build" --prefix "$stage" >/dev/null
(cd "$stage" && find . ! -type d) | while read -r file; do
  target="${DESTDIR:-}$prefix/${file#./}"
  if [ -e "$target" ] || [ -L "$target" ]; then
    rm -f "$target"
    echo "-- Removed: $target"
  fi
done
rmdir "${DESTDIR:-}$prefix/share/doc/karoblen/docs" "${DESTDIR:-}$prefix/share/doc/karoblen" 2>/dev/null || true
