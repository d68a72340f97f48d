#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs each score-file fuzz target for a while. Usage: run-fuzzers.sh BUILD_DIR
# SECONDS. The build makes the targets (`cmake --build BUILD_DIR --target
# fuzzers`) in BUILD_DIR/fuzz. Exits non-zero when a target is missing or
# finds a crash; crashing inputs are kept in BUILD_DIR/fuzz/artifacts.
set -euo pipefail

build_dir=${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS}
seconds=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$(cd "$build_dir" && pwd)/fuzz"
targets=(fuzz_score_load fuzz_score_merge fuzz_score_file)

for name in "${targets[@]}"; do
  if [[ ! -x $out/$name ]]; then
    echo "$out/$name is not built: cmake --build $build_dir --target fuzzers" >&2
    exit 1
  fi
done
mkdir -p "$out/artifacts"

status=0
for name in "${targets[@]}"; do
  corpus="$out/corpus/$name"
  seeds="$out/seeds/$name"
  mkdir -p "$corpus" "$seeds"
  # The seeds are the score files in fuzz/corpus. Targets that read a few
  # steering bytes before the file get them in front: for the merge, all zero
  # (the file as it is, blank tables); for the file target, a regular merge
  # file and an existing score file.
  for file in "$root"/fuzz/corpus/*.scr; do
    seed="$seeds/$(basename "$file")"
    case $name in
      fuzz_score_merge) { head -c 9 /dev/zero; cat "$file"; } >"$seed" ;;
      fuzz_score_file) { printf '\0\1\0'; cat "$file"; } >"$seed" ;;
      *) cp "$file" "$seed" ;;
    esac
  done
  echo "running $name for ${seconds}s"
  if ! "$out/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 -len_control=0 \
        -artifact_prefix="$out/artifacts/$name-" -print_final_stats=1 "$corpus" "$seeds" \
        >"$out/$name.log" 2>&1; then
    echo "$name FAILED; see $out/$name.log"
    tail -n 40 "$out/$name.log"
    status=1
  else
    grep -E '^(stat::number_of_executed_units|Done)' "$out/$name.log" || true
  fi
done
exit $status
