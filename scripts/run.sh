#!/usr/bin/env bash
# Installs whatever is missing, builds the x86_64 Windows program and starts it
# under Wine. Without a display it runs on a private Xvfb, saves a screenshot
# and stops the program again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64
exe="$root/build/win64/app/converter.exe"
had_display=${DISPLAY:-}

source "$root/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
wine_env_setup

if [ -n "$had_display" ]; then
  wine64 explorer /desktop=converter,1024x768 "$exe" "$@"
else
  shot=${CONVERTER_SCREENSHOT:-$root/build/screenshot.png}
  wine64 explorer /desktop=converter,1024x768 "$exe" "$@" &
  pid=$!
  sleep "${CONVERTER_SCREENSHOT_DELAY:-6}"
  import -window root "$shot"
  kill "$pid" 2>/dev/null || true
  echo "No display: the converter ran on Xvfb; screenshot saved to $shot"
fi
