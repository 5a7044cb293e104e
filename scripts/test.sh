#!/usr/bin/env bash
# Installs whatever is missing, builds all three builds, and runs every test:
# natively, and the x86_64 Windows build under Wine with Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" native win64 win32

source "$root/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
wine_env_setup

status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure || status=1
echo "== Windows x86_64 tests under Wine"
ctest --test-dir "$root/build/win64" --output-on-failure || status=1
if [ -x "$root/build/native/tests/bench/core_bench" ]; then
  echo "== conversion benchmark (native)"
  "$root/build/native/tests/bench/core_bench" --benchmark_min_time=0.05 || status=1
fi
exit $status
