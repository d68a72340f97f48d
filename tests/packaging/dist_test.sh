#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make dist`, and the tarball as a distribution's packager meets it. The
# tarball git makes of the last commit unpacks into karoblen-VERSION/ and
# holds no build output. Given a debian/ directory of a packager's own
# (`dh $@ --buildsystem=cmake`, nothing else), it builds with the
# distribution's flags (dpkg-buildflags, as dh sets them), install
# directories both absolute and relative and a documents directory of its
# own, without Google Benchmark, and runs its unit tests with no display,
# under fakeroot, as an unprivileged user (nobody, when this runs as root,
# and then without a network, loopback down), with not one failure. The
# package holds the game, which runs, and none of the project's own Debian
# files. Asked for without its checks (DEB_BUILD_OPTIONS=nocheck), the
# tarball configures without the test libraries and holds no test. A
# Release configure keeps the optimisation and fortify levels the
# environment gives, and adds its hardening where the environment gives none.
#
# The packager's build takes long: once it has passed, the same tarball,
# flags and script pass again without it.
#
# usage: dist_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
source "$(dirname "$0")/installed_files.sh"

build=$(readlink -f "$1")
source_dir=$2
version=$3
need_tools git cmake dh dpkg-buildflags dpkg-deb fakeroot
git -C "$source_dir" rev-parse HEAD >/dev/null 2>&1 || {
  echo "SKIP: $source_dir is not a git checkout" >&2
  exit 77
}
work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-dist-XXXXXX")
checks=
trap '[ -z "$checks" ] || { kill "$checks"; wait; } 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"

cmake --build "$build" --target dist >"$work/dist.log" 2>&1 || fail "make dist failed: $(cat "$work/dist.log")"
tarball=$build/karoblen-$version.tar.gz
[ -f "$tarball" ] || fail "no $tarball"
tops=$(tar -tzf "$tarball" | cut -d/ -f1 | sort -u)
[ "$tops" = "karoblen-$version" ] || fail "the tarball's top level is not karoblen-$version/: $tops"
output=$(tar -tzf "$tarball" | grep -E '^[^/]+/(build[^/]*/|.*\.o$|.*Karoblen\.scr)' || true)
[ -z "$output" ] || fail "the tarball holds build output: $output"

stamp_file=$build/dist-check.passed
stamp=$( (sha256sum <"$tarball" && sha256sum <"$0" && dpkg-buildflags --export=sh) | sha256sum | cut -d' ' -f1)
if [ "$(cat "$stamp_file" 2>/dev/null)" = "$stamp" ]; then
  echo "PASS: $(basename "$tarball"), as it passed the packager's build before"
  exit 0
fi
rm -f "$stamp_file"

tree=$work/karoblen-$version
tar -xzf "$tarball" -C "$work"
mkdir -p "$tree/debian" "$work/home"
cat >"$tree/debian/control" <<EOF
Source: karoblen
Section: games
Priority: optional
Maintainer: A Packager <packager@example.invalid>
Build-Depends: debhelper-compat (= 13), cmake, qt6-base-dev, libgtest-dev
Standards-Version: 4.6.2
Rules-Requires-Root: no

Package: karoblen
Architecture: any
Depends: \${shlibs:Depends}, \${misc:Depends}
Description: tile puzzle
 A packager's package of the game, made by the test suite.
EOF
cat >"$tree/debian/changelog" <<EOF
karoblen ($version-1) unstable; urgency=medium

  * A packager's build.

 -- A Packager <packager@example.invalid>  Thu, 01 Jan 2026 00:00:00 +0000
EOF
printf 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n' >"$tree/debian/copyright"
# Google Benchmark is installed here, and a packager's machine has none; the
# desktop and packaging tools are here too, so their groups are left out as
# that machine would skip them.
cat >"$tree/debian/rules" <<'EOF'
#!/usr/bin/make -f
%:
	dh $@ --buildsystem=cmake

override_dh_auto_configure:
	dh_auto_configure -- -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
		-DKAROBLEN_E2E_TESTS=OFF -DKAROBLEN_PACKAGING_TESTS=OFF \
		-DKAROBLEN_INSTALL_GAMESDIR=/usr/games -DCMAKE_INSTALL_MANDIR=/usr/share/man \
		-DCMAKE_INSTALL_DOCDIR=share/doc/karoblen-docs
EOF
chmod 755 "$tree/debian/rules"

# The packager: unprivileged, with no display, no sound server, nothing of
# this session's own environment, under fakeroot. Its build yields the
# processors to the tests that run beside it. Its unit tests wait mostly on
# fakeroot's daemon, so twice as many jobs as processors run.
packager=(nice -n 19 env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home" LANG=C.UTF-8
  TMPDIR="$work" DEB_BUILD_OPTIONS="parallel=$((2 * $(nproc)))")
if [ "$(id -u)" = 0 ]; then
  need_tools setpriv unshare
  chown -R nobody:nogroup "$work"
  packager=(unshare --net setpriv --reuid=nobody --regid=nogroup --clear-groups "${packager[@]}")
fi
# The game's compile command in a Release configure with the environment
# given before the cmake arguments.
release_command() {
  local dir=$work/release-$1
  shift
  env "$@" cmake -S "$tree" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >"$dir.log" 2>&1 ||
    fail "a Release configure with $* failed: $(tail -n 20 "$dir.log")"
  grep -o '"command": "[^"]* CMakeFiles/karoblen\.dir/[^"]*"' "$dir/compile_commands.json" | head -n 1 | tr ' ' '\n'
}
# Configures of the tarball, which the packager's build needs none of: they
# run beside it, on what processor time it leaves.
configure_checks() {
  # Without the checks, and without the test libraries a nocheck build lacks.
  DEB_BUILD_OPTIONS=nocheck cmake -S "$tree" -B "$work/nocheck" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON \
    >"$work/nocheck.log" 2>&1 || fail "a nocheck configure failed: $(tail -n 20 "$work/nocheck.log")"
  grep -qx 'BUILD_TESTING:BOOL=OFF' "$work/nocheck/CMakeCache.txt" || fail "a nocheck configure has the tests on"
  [ ! -e "$work/nocheck/CTestTestfile.cmake" ] || fail "a nocheck configure holds tests"

  release_command distribution CXXFLAGS="-g -O2 -fstack-protector" CPPFLAGS="-D_FORTIFY_SOURCE=3" \
    LDFLAGS="-Wl,-z,relro" >"$work/distribution.flags"
  release_command bare CXXFLAGS= CPPFLAGS= LDFLAGS= >"$work/bare.flags"
}
configure_checks >"$work/configure-checks.log" 2>&1 &
checks=$!

# Its whole log stays in the build directory, for a failure's details.
log=$build/dist-check.log
status=0
(cd "$tree" && "${packager[@]}" fakeroot debian/rules binary) >"$work/dh.log" 2>&1 || status=$?
cp "$work/dh.log" "$log"
[ "$status" = 0 ] || fail "the packager's build failed (the whole log is $log):
$(grep -E -B 20 '^[0-9]+: \[  FAILED  \]' "$log" | head -n 60)
$(tail -n 30 "$log")"
grep -q '100% tests passed, 0 tests failed out of' "$log" ||
  fail "the packager's build ran no tests: $(tail -n 20 "$log")"
tests_run=$(sed -n 's/.*100% tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log")
[ "$tests_run" -gt 100 ] || fail "the packager's build ran only $tests_run tests"

debs=("$work"/karoblen_"$version"-1_*.deb)
[ -f "${debs[0]}" ] || fail "dh made no package: $(ls "$work")"
dpkg-deb -c "${debs[0]}" | awk '$1 !~ /^d/ {sub(/^\.\/usr\//, "", $6); print $6}' | LC_ALL=C sort >"$work/files"
# The packager's own documents directory, and dh's own files in the
# package's documents directory.
installed_files | sed 's|^share/doc/karoblen/|share/doc/karoblen-docs/|' >"$work/expected"
printf '%s\n' share/doc/karoblen/changelog.Debian.gz share/doc/karoblen/copyright >>"$work/expected"
diff -u <(LC_ALL=C sort "$work/expected") "$work/files" || fail "the packager's package holds other files"
dpkg-deb -x "${debs[0]}" "$work/root"
[ "$("$work/root/usr/games/karoblen" --version)" = "Karoblen $version" ] || fail "the packaged game does not run"

status=0
wait "$checks" || status=$?
checks=
[ "$status" = 0 ] || fail "$(cat "$work/configure-checks.log")"
flags_are() {  # flags_are FILE EXPECTED...: the flags in FILE that start as those given
  local found
  found=$(grep -E -- '^-(O|D_FORTIFY|fstack-protector|fcf-protection|Wformat)' "$1" | tr '\n' ' ')
  [ "$found" = "$2 " ] || fail "a Release build with $(basename "$1" .flags) flags compiles with $found, not $2"
}
flags_are "$work/distribution.flags" "-O2 -fstack-protector -D_FORTIFY_SOURCE=3 -fcf-protection -Wformat"
flags_are "$work/bare.flags" "-O3 -fstack-protector-strong -fcf-protection -Wformat -D_FORTIFY_SOURCE=2"

echo "$stamp" >"$stamp_file"
echo "PASS: $(basename "$tarball"), $(tar -tzf "$tarball" | wc -l) entries; the packager's build ran" \
  "$tests_run tests, 0 failed; a nocheck configure needs no test library"
