#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, made by CPack from the build at hand under umask 077:
# it holds the installed files under /usr, in directories open to all, and no
# maintainer scripts (dpkg's file triggers refresh the icon and menu caches),
# its Depends come from dpkg-shlibdeps (and it recommends the sound library
# the game opens at run time), the binary unpacked from it runs and shows the
# package's version, and lintian finds nothing to say, pedantic included
# (unless told no-lintian, for a sanitized build).
#
# usage: package_test.sh BUILD_DIR [lintian | no-lintian]
set -euo pipefail
source "$(dirname "$0")/installed_files.sh"

build=$1
lint=${2:-lintian}
need_tools cpack dpkg-deb dpkg-shlibdeps
[ "$lint" = no-lintian ] || need_tools lintian
work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

(umask 077 && cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake") >"$work/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/karoblen_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no karoblen_*.deb: $(ls "$work")"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = karoblen ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section), not games"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ "$(field Description | wc -l)" -gt 1 ] || fail "no long description"
[ "$(field Description | awk 'length > 79' | wc -l)" -eq 0 ] || fail "description lines are too long"
depends=$(field Depends)
for library in libc6 libqt6widgets6; do
  [[ ", $depends" == *", $library "* ]] || fail "Depends lacks $library: $depends"
done
recommends=$(field Recommends)
for package in libpulse0 qt6-translations-l10n; do
  [[ ", $recommends," == *", $package,"* ]] || fail "Recommends lacks $package: $recommends"
done

diff -u <(package_files | sed 's|^|./usr/|') \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | LC_ALL=C sort) ||
  fail "the package holds other files than an install does"
closed=$(dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" {print $1, $6}')
[ -z "$closed" ] || fail "directories not 0755 in the package: $closed"
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq 'inst$|rm$' &&
  fail "the package has maintainer scripts: $(dpkg-deb --ctrl-tarfile "$deb" | tar -t | tr '\n' ' ')"

dpkg-deb -x "$deb" "$work/root"
version=$("$work/root/usr/games/karoblen" --version) || fail "the unpacked binary does not run"
[ "$version" = "Karoblen $(field Version)" ] || fail "the unpacked binary says $version"

# Every tag, down to the pedantic ones: a tag worth overriding would be
# overridden in the package, not here.
if [ "$lint" = no-lintian ]; then
  echo "PASS: $(basename "$deb") (not for lintian: a sanitized build), Depends: $depends"
  exit 0
fi
lintian --pedantic --display-info --show-overrides --no-cfg "$deb" >"$work/lintian.log" \
  2>"$work/lintian.err" || fail "lintian failed: $(cat "$work/lintian.log" "$work/lintian.err")"
# The one override (shown with its comment, the N: lines), for fortified
# calls lintian cannot see, stands only as long as every file is compiled
# with fortification.
grep -v -e '^O: karoblen: hardening-no-fortify-functions \[usr/games/karoblen\]$' -e '^N: ' \
  "$work/lintian.log" >"$work/tags.log" || true
[ ! -s "$work/tags.log" ] || fail "lintian: $(cat "$work/tags.log")"
unfortified=$(grep '"command"' "$build/compile_commands.json" | grep -cv -- '-D_FORTIFY_SOURCE=[1-3]' || true)
[ "$unfortified" = 0 ] || fail "$unfortified files are compiled without -D_FORTIFY_SOURCE"
echo "PASS: $(basename "$deb"), Depends: $depends"
