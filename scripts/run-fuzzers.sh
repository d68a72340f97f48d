#!/usr/bin/env bash
# Builds the score-file fuzz targets with clang's libFuzzer and runs each for
# a while. Usage: run-fuzzers.sh BUILD_DIR SECONDS  (0 seconds: build only).
# Exits non-zero when a target fails to build or finds a crash; crashing
# inputs are kept in BUILD_DIR/fuzz/artifacts.
set -euo pipefail

build_dir=${1:?usage: run-fuzzers.sh BUILD_DIR SECONDS}
seconds=${2:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$(cd "$build_dir" && pwd)/fuzz"
clang=${CLANGXX:-clang++}
targets=(fuzz_score_load fuzz_score_merge fuzz_score_file)
# The window-free part of the scores: nothing else is compiled in.
sources=("$root/scores/high_score_tables.cpp" "$root/scores/score_file.cpp"
         "$root/scores/whole_file_write.cpp" "$root/scores/save_target.cpp"
         "$root/scores/save_temporaries.cpp")
headers=("$root/game/rules.h" "$root/scores/high_score_tables.h" "$root/scores/score_file.h"
         "$root/scores/file_descriptor.h" "$root/scores/save_target.h"
         "$root/scores/save_temporaries.h" "$root/fuzz/scratch_directory.h")
flags=(-std=c++20 -O1 -g -I"$root" -Wall -Wextra -Wpedantic
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)

mkdir -p "$out/artifacts"

is_stale() {  # target, inputs...
  local target=$1; shift
  [[ -x $target ]] || return 0
  local input
  for input in "$@"; do [[ $input -nt $target ]] && return 0; done
  return 1
}

for name in "${targets[@]}"; do
  binary="$out/$name"
  if is_stale "$binary" "$root/fuzz/$name.cpp" "${sources[@]}" "${headers[@]}" "$0"; then
    echo "building $name"
    # Link to a private name first: a concurrent run never sees half a binary.
    "$clang" "${flags[@]}" "$root/fuzz/$name.cpp" "${sources[@]}" -o "$binary.tmp.$$"
    mv -f "$binary.tmp.$$" "$binary"
  fi
done

[[ $seconds -gt 0 ]] || exit 0

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
