#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make dist`: the tarball git makes of the last commit unpacks into
# karoblen-VERSION/, holds no build output, and the game configures and
# builds from it on its own as `make run` would do it (without the tests,
# which `make test` adds, to keep this short), and runs.
#
# usage: dist_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
source "$(dirname "$0")/installed_files.sh"

build=$1
source_dir=$2
version=$3
need_tools git cmake
git -C "$source_dir" rev-parse HEAD >/dev/null 2>&1 || {
  echo "SKIP: $source_dir is not a git checkout" >&2
  exit 77
}
work=$(mktemp -d "${TMPDIR:-/tmp}/karoblen-dist-XXXXXX")
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target dist >"$work/dist.log" 2>&1 || fail "make dist failed: $(cat "$work/dist.log")"
tarball=$build/karoblen-$version.tar.gz
[ -f "$tarball" ] || fail "no $tarball"
tops=$(tar -tzf "$tarball" | cut -d/ -f1 | sort -u)
[ "$tops" = "karoblen-$version" ] || fail "the tarball's top level is not karoblen-$version/: $tops"
output=$(tar -tzf "$tarball" | grep -E '^[^/]+/(build[^/]*/|.*\.o$|.*Karoblen\.scr)' || true)
[ -z "$output" ] || fail "the tarball holds build output: $output"

tar -xzf "$tarball" -C "$work"
tree=$work/karoblen-$version
# The same compiler cache as the build at hand, when it has one: the sources
# sit at the same place relative to the build directory.
launcher=$(sed -n 's/^CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=//p' "$build/CMakeCache.txt")
export CCACHE_BASEDIR=$tree
cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher"} >"$work/configure.log" 2>&1 ||
  fail "configuring the unpacked tarball failed: $(tail -n 20 "$work/configure.log")"
cmake --build "$tree/build" -j "$(nproc)" >"$work/build.log" 2>&1 ||
  fail "building the unpacked tarball failed: $(tail -n 20 "$work/build.log")"
[ "$("$tree/build/karoblen" --version)" = "Karoblen $version" ] || fail "the built game does not run"
tests=$(find "$tree/build" -name '*_tests' -o -name 'bench_*' -o -name karoblen-shots)
[ -z "$tests" ] || fail "BUILD_TESTING=OFF built test programs: $tests"
echo "PASS: $(basename "$tarball"), $(tar -tzf "$tarball" | wc -l) entries, builds and runs"
