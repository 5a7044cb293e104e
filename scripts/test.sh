#!/usr/bin/env bash
# Installs whatever is missing, builds all three builds, and runs every test:
# natively (also under the sanitizers, and each fuzz target briefly), and the
# x86_64 Windows build under Wine with Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" native native-asan win64 win32

status=0
echo "== native tests"
ctest --test-dir "$root/build/native" --output-on-failure || status=1
echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir "$root/build/native-asan" --output-on-failure || status=1
echo "== fuzzing the core's text entry points (30 s each; any finding fails)"
"$root/scripts/fuzz.sh" 30 || status=1
# The Wine prefix is made just before its first use: Wine's desktop process
# ends when it has been idle a while, and one started again by a test program
# inherits CTest's output pipe and holds it open about 20 s after the test.
source "$root/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
wine_env_setup

echo "== Windows x86_64 tests under Wine"
ctest --test-dir "$root/build/win64" --output-on-failure || status=1
# Benchmarks print ratios against a baseline measured in the same run; they
# assert nothing, so their figures never decide the outcome.
echo "== benchmarks"
if [ -x "$root/build/native/tests/bench/core_bench" ]; then
  "$root/build/native/tests/bench/core_bench" --benchmark_min_time=0.05 || echo "core_bench did not finish"
fi
win="$root/build/win64"
if [ -f "$win/tests/controls/controls_paint_bench.exe" ]; then
  wine64 "$win/tests/controls/controls_paint_bench.exe" || echo "controls_paint_bench did not finish"
fi
if [ -f "$win/tests/effects/effects_hint_bench.exe" ]; then
  wine64 "$win/tests/effects/effects_hint_bench.exe" || echo "effects_hint_bench did not finish"
fi
if [ -f "$win/tests/about/about_bench.exe" ]; then
  wine64 "$win/tests/about/about_bench.exe" || echo "about_bench did not finish"
fi
if [ -f "$win/tests/controls/controls_scroll_bench.exe" ]; then
  wine64 "$win/tests/controls/controls_scroll_bench.exe" || echo "controls_scroll_bench did not finish"
fi
if [ -f "$win/tests/app/keystroke_bench.exe" ]; then
  wine64 "$win/tests/app/keystroke_bench.exe" || echo "keystroke_bench did not finish"
fi
if [ -f "$win/tests/app/idle_wakeups_bench.exe" ]; then
  wine64 "$win/tests/app/idle_wakeups_bench.exe" || echo "idle_wakeups_bench did not finish"
fi
if [ -f "$win/tests/e2e/startup_bench.exe" ] && [ -f "$win/app/converter.exe" ]; then
  to_windows() { echo "Z:${1//\//\\}"; }
  wine64 "$win/tests/e2e/startup_bench.exe" "$(to_windows "$win/app/converter.exe")" TForm1 \
    "$(to_windows "$win/tests/e2e/minimal_window.exe")" 5 || echo "startup_bench did not finish"
fi
echo "== summary: native and Windows x86_64 test runs $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
