#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark executable the build produced: BUILD_DIR/bench/bench_*.
# Usage: scripts/run-benchmarks.sh BUILD_DIR [extra Google Benchmark flags]
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [benchmark flags...]" >&2
  exit 2
fi
build_dir=$1
shift

shopt -s nullglob
benches=()
for f in "$build_dir"/bench/bench_*; do
  [ -f "$f" ] && [ -x "$f" ] && benches+=("$f")
done
if [ ${#benches[@]} -eq 0 ]; then
  echo "no bench_* executables in $build_dir/bench; build the 'benchmarks' target first" >&2
  exit 1
fi

# Google Benchmark 1.7 takes the minimum time as plain seconds (no "s").
for b in "${benches[@]}"; do
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 "$@"
done
