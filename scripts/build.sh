#!/usr/bin/env bash
# Builds one or more of the three builds: native, win64 (PE32+), win32 (PE32).
#   scripts/build.sh [native] [win64] [win32]     (default: all three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
builds=("$@"); ((${#builds[@]})) || builds=(native win64 win32)
jobs=${JOBS:-$(nproc)}
for b in "${builds[@]}"; do
  case "$b" in
    native) args=() ;;
    win64)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake") ;;
    win32)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake") ;;
    *) echo "unknown build: $b" >&2; exit 2 ;;
  esac
  dir="$root/build/$b"
  echo "== build $b in $dir"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${args[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
done
