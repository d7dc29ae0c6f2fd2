#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# when any is missing; with package names, those instead (the other scripts'
# tools). Safe to run again.
set -euo pipefail
# qt6-websockets-dev: Debian's Qt HttpServer CMake package asks for it.
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev
  qt6-translations-l10n gstreamer1.0-plugins-base gstreamer1.0-plugins-good libgtest-dev
  libfreexl-dev liborcus-dev libixion-dev libxlsxwriter-dev libboost-dev
  qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
  fonts-noto-cjk fonts-arphic-ukai fonts-wqy-zenhei xvfb xauth)
if [ $# -gt 0 ]; then
  packages=("$@")
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi
