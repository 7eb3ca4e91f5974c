#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Does nothing
# when they are all present. Runs as root, or through sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins
  libgl-dev libxkbcommon-dev
  libsqlite3-dev sqlite3
  libhidapi-dev libudev-dev
  libx11-dev libxtst-dev libxi-dev
  libcli11-dev nlohmann-json3-dev libgif-dev
  googletest libgtest-dev libgmock-dev
  fonts-open-sans fonts-wqy-microhei fontconfig
  xvfb xauth x11-utils xdotool
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
