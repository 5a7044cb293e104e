#!/usr/bin/env bash
# scripts/wine-env.sh stops a run that would otherwise go on without what it
# needs, saying why, and never shares a display with a parallel run:
# - an Xvfb that cannot start, and a prefix that wineboot cannot make, each
#   make wine_env_setup fail with a message (Wine and Xvfb stand-ins that fail
#   come first on PATH);
# - two setups started at the same moment get two private displays, both up.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d /tmp/converter-wine-env-test.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Stand-ins: $1 is a folder to put first on PATH, the rest NAME=SCRIPT pairs.
stand_ins() {
  local dir=$1; shift
  mkdir -p "$dir"
  for pair in "$@"; do
    printf '#!/bin/sh\n%s\n' "${pair#*=}" > "$dir/${pair%%=*}"
    chmod +x "$dir/${pair%%=*}"
  done
}
stand_ins "$work/no-xvfb" 'Xvfb=exit 1' 'wineserver=exit 0' 'wine64=exit 0'
stand_ins "$work/no-prefix" 'wineserver=exit 0' 'wine64=exit 1'

# name | PATH first | environment | what the message must name
cases=(
  "Xvfb cannot start|$work/no-xvfb|CONVERTER_FORCE_XVFB=1|Xvfb"
  "wineboot fails|$work/no-prefix|DISPLAY=:31999|wineboot"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name first environment expected <<<"$c"
  # shellcheck disable=SC2086  # the environment is one NAME=VALUE word
  env $environment PATH="$first:$PATH" bash -c '
    source "$1/scripts/wine-env.sh"
    wine_env_setup; status=$?
    wine_env_cleanup
    exit $status' _ "$root" >"$work/out" 2>&1
  status=$?
  ((status != 0)) || fail "$name: wine_env_setup succeeded"
  grep -q "wine-env:.*$expected" "$work/out" || fail "$name: no message naming $expected: $(cat "$work/out")"
done

# Two setups at once, each on a private display (Wine stand-ins that make an
# empty prefix); each reports its display and whether a client can talk to it.
stand_ins "$work/wine-ok" 'wineserver=exit 0' 'wine64=mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"'
for run in 1 2; do
  CONVERTER_FORCE_XVFB=1 PATH="$work/wine-ok:$PATH" bash -c '
    source "$1/scripts/wine-env.sh"
    wine_env_setup || exit 1
    xdpyinfo >/dev/null 2>&1 && echo "$DISPLAY up" || echo "$DISPLAY down"
    sleep 2
    wine_env_cleanup' _ "$root" >"$work/display$run" 2>&1 &
done
wait
read -r display1 state1 < "$work/display1"
read -r display2 state2 < "$work/display2"
[ "$state1 $state2" = "up up" ] || fail "parallel displays: $(cat "$work/display1" "$work/display2")"
[ "$display1" != "$display2" ] || fail "two parallel runs share the display $display1"

((failures == 0)) && echo "wine-env: failures reported, parallel displays apart"
exit $((failures > 0))
