#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy (the checks in .clang-tidy) over every project source in
# BUILD_DIR's compilation database, tests included; fails on any finding.
# Usage: tidy.sh BUILD_DIR [JOBS]
set -euo pipefail
build_dir=$(cd "${1:?usage: tidy.sh BUILD_DIR [JOBS]}" && pwd)
jobs=${2:-$(nproc)}
root=$(cd "$(dirname "$0")/.." && pwd)

run_tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
if [ -z "$run_tidy" ]; then
  echo "error: run-clang-tidy is not installed (scripts/install-deps.sh installs clang-tidy)" >&2
  exit 1
fi
if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "error: $build_dir has no compile_commands.json; configure it with CMake first" >&2
  exit 1
fi

# Our own sources only: generated files in the build folder are left alone.
sources="^$root/(main\\.cpp|(app|bench|fuzz|game|platform|res|scores|tests|tools|view)/)"
"$run_tidy" -quiet -j "$jobs" -p "$build_dir" "$sources"
