#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev libsdl2-dev libvorbis-dev libogg-dev libstb-dev libssl-dev
  libgl-dev libgl1-mesa-dri libegl-mesa0 libx11-dev
  xvfb
  fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
