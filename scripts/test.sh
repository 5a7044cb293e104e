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
# Benchmarks print ratios against a baseline measured in the same run; their
# figures decide nothing, but a benchmark that is missing or does not run to
# its end fails the run.
echo "== benchmarks"
win="$root/build/win64"
to_windows() { echo "Z:${1//\//\\}"; }
bench() {
  local name=$1; shift
  if ! "$@"; then echo "benchmark $name did not run to its end"; status=1; fi
}
bench core_bench "$root/build/native/bench/core_bench" --benchmark_min_time=0.05
for b in controls_paint_bench effects_hint_bench about_bench controls_scroll_bench keystroke_bench idle_wakeups_bench; do
  bench "$b" wine64 "$win/bench/$b.exe"
done
bench startup_bench wine64 "$win/bench/startup_bench.exe" "$(to_windows "$win/app/converter.exe")" TForm1 \
  "$(to_windows "$win/bench/minimal_window.exe")" 5
echo "== summary: tests and benchmarks $([ $status -eq 0 ] && echo passed || echo FAILED)"
exit $status
