#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every C++ source of the project with its .clang-format, or with
# --check only names the files that are not formatted and fails if any are.
set -euo pipefail
cd "$(dirname "$0")/.."

clang_format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$clang_format" ]; then
  echo "error: clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -path './build-*' -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||')
fi
existing=()
for f in "${files[@]}"; do [ -f "$f" ] && existing+=("$f"); done

if [ "${1:-}" != "--check" ]; then
  "$clang_format" -i "${existing[@]}"
  exit 0
fi

# One run over every file; each complaint starts with the file's name.
mapfile -t unformatted < <("$clang_format" --dry-run "${existing[@]}" 2>&1 |
  sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These files are not formatted (run make format):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "all ${#existing[@]} C++ files are formatted"
