#!/usr/bin/env bash
# Builds one or more of the three builds: native, win64 (PE32+), win32 (PE32).
#   scripts/build.sh [--program] [native] [win64] [win32]     (default: all three)
# and the sanitized native build with the fuzz targets (clang):
#   scripts/build.sh native-asan
# --program builds only converter.exe of the Windows builds, not their tests.
# Each build goes into build/<name>, or <name> under $CONVERTER_BUILD_ROOT.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
targets=()
if [ "${1:-}" = --program ]; then targets=(--target converter); shift; fi
builds=("$@"); ((${#builds[@]})) || builds=(native win64 win32)
jobs=${JOBS:-$(nproc)}
# ccache, when present, makes rebuilds and other checkouts of the same tree cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
for b in "${builds[@]}"; do
  case "$b" in
    native) args=() ;;
    # The core's tests under AddressSanitizer + UndefinedBehaviorSanitizer, and
    # the libFuzzer targets (scripts/fuzz.sh).
    native-asan) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCONVERTER_SANITIZE=ON
                       -DCONVERTER_BUILD_FUZZERS=ON -DCONVERTER_BUILD_BENCHMARKS=OFF) ;;
    win64)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-x86_64.cmake") ;;
    # The 32-bit release is compiled and linked, never run here: it builds what
    # ships, not the test programs.
    win32)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" -DCONVERTER_BUILD_TESTS=OFF) ;;
    *) echo "unknown build: $b" >&2; exit 2 ;;
  esac
  dir="${CONVERTER_BUILD_ROOT:-$root/build}/$b"
  echo "== build $b in $dir"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" "${args[@]}" >/dev/null
  case "$b" in
    win*) cmake --build "$dir" -j "$jobs" "${targets[@]}" ;;
    *)    cmake --build "$dir" -j "$jobs" ;;
  esac
done
