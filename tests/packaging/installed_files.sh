# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the packaging tests: every file an install puts under its prefix,
# one a line, sorted.
installed_files() {
  local id=invalid.karoblen.Karoblen size po
  {
    echo games/karoblen
    echo "share/applications/$id.desktop"
    echo "share/metainfo/$id.metainfo.xml"
    for size in 16 22 24 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x$size/apps/$id.png"
    done
    echo share/man/man6/karoblen.6.gz
    echo share/doc/karoblen/README.md.gz
    echo share/doc/karoblen/changelog.gz
    echo share/doc/karoblen/docs/karoblen.png
    echo share/doc/karoblen/docs/karoblen-tile-symbols.png
    for po in "$(dirname "${BASH_SOURCE[0]}")"/../../po/*.po; do
      [ -e "$po" ] && echo "share/locale/$(basename "$po" .po)/LC_MESSAGES/karoblen.mo"
    done
  } | LC_ALL=C sort
}

# The same, and the Debian files that only the project's own package holds.
package_files() {
  {
    installed_files
    echo share/doc/karoblen/copyright
    echo share/lintian/overrides/karoblen
  } | LC_ALL=C sort
}

source "$(dirname "${BASH_SOURCE[0]}")/../need_tools.sh"

# Fails naming every directory under $1 whose mode is not 0755.
all_directories_open() {
  local closed
  closed=$(find "$1" -type d ! -perm 0755 -printf '%m %P\n')
  [ -z "$closed" ] || fail "directories not 0755: $closed"
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
