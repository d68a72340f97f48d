#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The install rules: an install into a scratch DESTDIR, made under umask 077,
# holds exactly the files a desktop needs, in directories open to all; the
# menu entry, the AppStream metadata and the manual page pass their checkers,
# and the manual page names the README and the changelog where they are;
# the program, the manual page and the metadata show the version and the
# releases NEWS has; every icon is the icon's art enlarged by a whole factor,
# pixel for pixel; and uninstall with the same DESTDIR takes every file away
# again and leaves nothing else there.
#
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
source "$(dirname "$0")/installed_files.sh"

build=$1
source_dir=$2
need_tools cmake desktop-file-validate appstreamcli man identify compare convert dpkg-parsechangelog
work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
dest=$work/dest
prefix=$dest/usr/local
id=invalid.karoblen.Karoblen

(umask 077 && DESTDIR=$dest cmake --install "$build" --prefix /usr/local) >"$work/install.log" ||
  fail "cmake --install failed"
diff -u <(installed_files) <(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) ||
  fail "the install holds other files than these"
all_directories_open "$dest"

entry=$prefix/share/applications/$id.desktop
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] ||
  fail "desktop-file-validate: $report"
grep -qx 'Categories=Game;LogicGame;' "$entry" || fail "the menu entry is not in Game, LogicGame"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/as.log")"
# The whole tree: the metadata's launchable entry and icon are there.
appstreamcli validate-tree --no-net "$prefix" >"$work/tree.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$work/tree.log")"

page=$prefix/share/man/man6/karoblen.6.gz
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$work/man.txt") || fail "man failed"
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
grep -q -- '--in-data-dir' "$work/man.txt" || fail "the manual page does not explain --in-data-dir"
# Under the prefix the build was configured for.
docs=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")/share/doc/karoblen
for document in README.md.gz changelog.gz; do
  grep -qF "$docs/$document" "$work/man.txt" || fail "the manual page does not name $docs/$document"
done
"$prefix/games/karoblen" --help | grep -q -- '--in-data-dir' || fail "--help does not explain --in-data-dir"

# NEWS, newest first: "version date" a line.
news=$(dpkg-parsechangelog -l "$source_dir/NEWS" --all --format rfc822 |
  awk '/^Version: /{v=$2} /^Date: /{sub(/^Date: /, ""); print v, $0}' |
  while read -r version date; do echo "$version $(date -u -d "$date" +%F)"; done)
read -r newest released <<<"$news"
[ "$("$prefix/games/karoblen" --version)" = "Karoblen $newest" ] ||
  fail "--version says $("$prefix/games/karoblen" --version), NEWS $newest"
tail -n 1 "$work/man.txt" | grep -q "Karoblen $newest *$released" ||
  fail "the manual page is not of $newest, $released: $(tail -n 1 "$work/man.txt")"
releases=$(sed -n 's|.*<release version="\([^"]*\)" date="\([^"]*\)".*|\1 \2|p' \
  "$prefix/share/metainfo/$id.metainfo.xml")
[ "$releases" = "$news" ] || fail "the metadata's releases ($releases) are not NEWS's ($news)"

# The 32 x 32 art gives the multiples of 32; the 16 x 16 art the others,
# centred on a transparent square where it does not fill it.
icon() { echo "$prefix/share/icons/hicolor/$1x$1/apps/$id.png"; }
same() { compare -metric AE "$1" "$2" null: 2>/dev/null; }
for size in 16 22 24 32 48 64 128 256; do
  [ "$(identify -format '%w %h' "$(icon "$size")")" = "$size $size" ] || fail "icon $size is not $size x $size"
done
for size in 64 128 256; do
  convert "$(icon 32)" -sample "${size}x$size" "$work/expected.png"
  same "$(icon "$size")" "$work/expected.png" || fail "icon $size is not icon 32 enlarged"
done
convert "$(icon 16)" -sample 48x48 "$work/expected.png"
same "$(icon 48)" "$work/expected.png" || fail "icon 48 is not icon 16 enlarged three times"
for size in 22 24; do
  convert "$(icon 16)" -background none -gravity center -extent "${size}x$size" "$work/expected.png"
  same "$(icon "$size")" "$work/expected.png" || fail "icon $size is not icon 16 centred"
done
same "$(icon 32)" "$build/res/generated/icon_128.ico" || fail "icon 32 is not the program's icon"

DESTDIR=$dest "$source_dir/packaging/uninstall.sh" "$build" /usr/local >"$work/uninstall.log"
left=$(find "$dest" ! -type d)
[ -z "$left" ] || fail "uninstall left: $left"
[ ! -e "$prefix/share/doc/karoblen" ] || fail "uninstall left share/doc/karoblen"
echo "PASS: $(installed_files | wc -l) files installed, checked and uninstalled"
