# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the test scripts. A test whose tools are missing reports itself
# skipped (exit 77), with the reason; when its group is switched ON
# (KAROBLEN_REQUIRE_TOOLS=1, see cmake/test_groups.cmake) it fails instead,
# so that `make test` and CI cannot quietly lose it.

# need_tools COMMAND...: every command must be installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing_tool "$tool is not installed"
  done
}

# missing_tool REASON: something else the test needs is not there.
missing_tool() {
  if [ "${KAROBLEN_REQUIRE_TOOLS:-0}" = 1 ]; then
    echo "FAIL: $* (the test's group is switched on: nothing it needs may be missing)" >&2
    exit 1
  fi
  echo "SKIP: $*" >&2
  exit 77
}
