#!/usr/bin/env bash
# Installs whatever is missing, builds the x86_64 Windows program and starts it
# under Wine. Without a display it runs on a private Xvfb, saves a screenshot
# and stops the program again. With CONVERTER_SCREENSHOT set it does that even
# where there is a display; the README's picture is made so:
#   CONVERTER_SCREENSHOT=docs/screenshot.png bash scripts/run.sh
# CONVERTER_DPI sets the display scale of the Wine prefix first (96 = 100 %,
# 120 = 125 %, 144 = 150 %, 192 = 200 %, up to 288 = 300 %); the README's
# second picture is made with CONVERTER_DPI=144.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=${CONVERTER_DPI:-}
if [ -n "$dpi" ] && ! { [[ "$dpi" =~ ^[0-9]+$ ]] && ((dpi >= 96 && dpi <= 288)); }; then
  echo "CONVERTER_DPI must be a whole number from 96 to 288 (got '$dpi')" >&2
  exit 2
fi
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" win64
exe="$root/build/win64/app/converter.exe"
had_display=${DISPLAY:-}
if [ -n "${CONVERTER_SCREENSHOT:-}" ]; then
  had_display=""
  export CONVERTER_FORCE_XVFB=1
fi

source "$root/scripts/wine-env.sh"
trap wine_env_cleanup EXIT
wine_env_setup
if [ -n "$dpi" ]; then
  wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "could not set the display scale ($dpi DPI) in the Wine prefix" >&2; exit 1; }
fi

hover=${CONVERTER_HOVER:-}
if [ -n "$had_display" ]; then
  wine64 explorer /desktop=converter,1024x768 "$exe" "$@"
elif [ -n "$hover" ]; then
  # CONVERTER_HOVER="X,Y": the pointer rests on that point of the main
  # window's client area (e.g. 144,172: the Print button) and the shot is
  # taken once its hint shows. The program runs straight on the Xvfb screen
  # then (no frame or caption): Wine's virtual desktop does not show the
  # balloon's window.
  shot=${CONVERTER_SCREENSHOT:-$root/build/screenshot.png}
  wine64 "$exe" "$@" &
  pid=$!
  sleep "${CONVERTER_SCREENSHOT_DELAY:-6}"
  wine64 "$root/build/win64/tests/e2e/hover_pointer.exe" "${hover%%,*}" "${hover##*,}" ||
    echo "no hint showed at $hover"
  import -window root "$shot"
  kill "$pid" 2>/dev/null || true
  desktop=$(convert "$shot" -format '%[pixel:p{0,0}]' info:)
  convert "$shot" -trim +repage -bordercolor "$desktop" -border 10 -strip "$shot"
  echo "The converter ran on a private Xvfb with the pointer at $hover; screenshot saved to $shot"
else
  shot=${CONVERTER_SCREENSHOT:-$root/build/screenshot.png}
  wine64 explorer /desktop=converter,1024x768 "$exe" "$@" &
  pid=$!
  # Captures until the desktop shows more than its own colour and two captures
  # a second apart agree, so the window is there and painted.
  last=""
  for _ in $(seq "${CONVERTER_SCREENSHOT_WAIT:-60}"); do
    sleep 1
    import -window root "$shot"
    now=$(convert "$shot" -format '%k %#' info:)
    [ "${now%% *}" -gt 2 ] && [ "$now" = "$last" ] && break
    last=$now
  done
  kill "$pid" 2>/dev/null || true
  # Only the windows, in a margin of the desktop's colour.
  desktop=$(convert "$shot" -format '%[pixel:p{0,0}]' info:)
  convert "$shot" -trim +repage -bordercolor "$desktop" -border 10 -strip "$shot"
  echo "The converter ran on a private Xvfb; screenshot saved to $shot"
fi
