#!/usr/bin/env bash
# Installs every Debian 12 package the builds, the program and the tests need
# (one `apt-get update`, then one install of what is missing). Safe to run
# repeatedly: with everything present it only checks and returns.
set -euo pipefail
packages=(
  # Native build, sanitizers, tests, formatting.
  git cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libbenchmark-dev
  zlib1g-dev libminizip-dev zip unzip python3
  # Windows cross build; dpkg-dev unpacks minizip's Debian sources.
  g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev dpkg-dev
  # Wine (both the launcher and the 64-bit loader), its fonts and the X11
  # libraries its display driver uses, a virtual display and GUI test tools.
  wine64 wine fonts-wine libxrender1 libxrandr2 libxcursor1 libxi6 libxcomposite1
  libxinerama1 libgnutls30 xvfb xdotool x11-apps imagemagick
  # Local servers used by the transfer tests.
  python3-pyftpdlib
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
((${#missing[@]})) || exit 0

echo "install-deps: installing ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
