#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Safe to run repeatedly: apt-get skips what is already there.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  zlib1g-dev libminizip-dev zip unzip dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine64 wine fonts-wine xvfb xdotool x11-apps imagemagick
  python3 python3-pyftpdlib
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
