#!/usr/bin/env bash
# Installs the Debian packages Tolvane needs to build, run and test; skips what is there.
# Works as root or through sudo.
set -euo pipefail

# libsword-dev reads SWORD modules for the import (Tools, Import Module); extra arguments
# are optional packages, such as SWORD modules for the import's tests.
packages=(build-essential cmake pkgconf qt6-base-dev qt6-base-dev-tools libgl-dev
          libxkbcommon-dev libsword-dev fonts-dejavu-core fonts-liberation2 adwaita-icon-theme
          poppler-utils xvfb xauth
          libchm-dev qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
          "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
