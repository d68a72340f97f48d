#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs whatever the build needs and is not there yet; with --test also
# what the tests need, and with --bench what only `make bench` uses.
# apt-get runs only when a package is missing, so a second run costs nothing.
set -euo pipefail

# Enough to build, run, install and package the game.
packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev zlib1g-dev libpulse-dev
  dpkg-dev gettext
)
# The tests, their tools and the developer targets built with them.
test_packages=(
  qt6-base-private-dev libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  xvfb xdotool x11-utils x11-xserver-utils imagemagick fonts-dejavu-core
  desktop-file-utils appstream man-db lintian git debhelper fakeroot
  strace openbox
  pulseaudio pulseaudio-utils
  pipewire pipewire-pulse wireplumber sway wtype grim qt6-wayland
  dbus-daemon at-spi2-core python3-dbus python3-gi procps
  orca speech-dispatcher qt6-translations-l10n fonts-noto-cjk
)
case "${1:-}" in
  --test) packages+=("${test_packages[@]}") ;;
  # The former sound path, on Qt Multimedia, which the benchmark weighs the
  # present one against.
  --bench) packages+=("${test_packages[@]}" qt6-multimedia-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    echo "error: these packages are missing and I am not root (and there is no sudo): ${missing[*]}" >&2
    echo "Install them with apt-get as root, then run make again." >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get update -qq || ! $sudo apt-get install -y -qq "${missing[@]}"; then
  echo "error: could not install ${missing[*]} with apt-get." >&2
  exit 1
fi
