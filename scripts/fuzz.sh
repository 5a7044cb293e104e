#!/usr/bin/env bash
# Runs each fuzz target of the core for a given time and fails on any finding.
#   scripts/fuzz.sh [seconds per target (default 30)] [target ...]
# Targets: parse pattern text_args converter. New inputs that reach new code
# collect in build/fuzz-work/corpus/<target>; a finding's input is kept in
# build/fuzz-work/findings/ and can be replayed by passing it to the target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
targets=("$@"); ((${#targets[@]})) || targets=(parse pattern text_args converter)

"$root/scripts/build.sh" native-asan >/dev/null
bin="$root/build/native-asan/tests/fuzz"
work="$root/build/fuzz-work"
mkdir -p "$work/findings"

status=0
for t in "${targets[@]}"; do
  corpus="$work/corpus/$t"
  mkdir -p "$corpus"
  log="$work/$t.log"
  if "$bin/${t}_fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$work/findings/$t-" \
       "$corpus" "$root/tests/fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $t: ${runs:-?} executions in ${seconds} s ($(( ${runs:-0} / seconds )) per second), no finding"
  else
    echo "fuzz $t: FINDING; log $log, input in $work/findings/" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
done
exit $status
