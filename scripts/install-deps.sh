#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and run Veskel.
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config git ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-pdf-dev qt6-image-formats-plugins
  qt6-qpa-plugins libqt6test6 libqt6svg6 libqt6pdf6 libqt6concurrent6 qt6-l10n-tools
  qt6-tools-dev qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-utils libxml2-dev
  libespeak-ng-dev espeak-ng-data qt6-multimedia-dev libqt6multimedia6
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  clang-19 libclang-rt-19-dev
  fonts-inter fonts-jetbrains-mono
  xvfb xauth
  desktop-file-utils appstream lintian dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
