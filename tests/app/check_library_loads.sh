#!/usr/bin/env bash
# Fails when the program's sources load a library anywhere but the one helper
# that loads from the system folder only (framework/system_library.cpp).
#   check_library_loads.sh SOURCE_ROOT
set -euo pipefail
root=$1
helper="$root/framework/system_library.cpp"
[ -f "$helper" ] || { echo "missing: $helper"; exit 1; }
hits=$(find "$root" \( -path "$root/tests" -o -path "$root/bench" -o -path "$root/build" -o -path "$root/.git" \) -prune -o \
         -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) ! -path "$helper" -print0 |
       xargs -0 grep -nE 'LoadLibrary|LoadPackagedLibrary' || true)
if [ -n "$hits" ]; then
  echo "libraries loaded outside fw::LoadSystemLibrary:"
  echo "$hits"
  exit 1
fi
grep -q 'LoadLibraryExW' "$helper" || { echo "the helper loads nothing: $helper"; exit 1; }
echo "every library load goes through $helper"
