#!/usr/bin/env bash
# Installs the Debian packages kirvo needs to build, test and run; does nothing when all are present.
# clang with its runtime (libFuzzer, sanitizers) and llvm's symbolizer serve the fuzz and sanitizer builds.
set -euo pipefail

packages=(
  qt6-base-dev qt6-translations-l10n libicu-dev libgtest-dev libbenchmark-dev
  cmake ninja-build g++ xvfb xauth xdotool x11-utils x11-apps imagemagick poppler-utils trayer
  fonts-ipafont-gothic
  clang libclang-rt-14-dev llvm desktop-file-utils
  libical-dev pkgconf dpkg-dev lintian appstream fakeroot file
  openbox xfce4-panel xfconf dunst dbus-daemon dbus-bin strace python3 python3-holidays
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
