#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the demo and the installed plug-in need (xdg-utils
# opens the user manual), and any further packages named as arguments. Safe to run again.
#   scripts/install-deps.sh [PACKAGE ...]
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfreetype-dev libfontconfig-dev libpng-dev
  libx11-dev libxtst-dev xvfb xauth x11-utils
  libsndfile1-dev fonts-liberation
  clang-14 libclang-rt-14-dev binutils
  xdg-utils
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
