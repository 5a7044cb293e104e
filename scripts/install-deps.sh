#!/usr/bin/env bash
# Installs whatever Debian packages the build and the tests need and are missing.
set -euo pipefail
packages=(
  cmake make g++ python3 ccache clang libclang-rt-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  googletest libgtest-dev libgmock-dev libbenchmark-dev libboost-dev
  wine wine64 xvfb xauth x11-utils fonts-liberation fonts-wine imagemagick
  nsis osslsigncode openssl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Wine's recommended packages (FreeType, fontconfig, the X render libraries)
# are what draws text and pictures, so they are installed too.
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
# The 32-bit Wine loader cannot run on this kernel; with it installed /usr/bin/wine picks it.
if dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "warning: wine32:i386 is installed; tests use wine64 directly" >&2
fi
