# Sourced by the run and test scripts: a throw-away Wine prefix and, when there
# is no display, a private Xvfb. `wine_env_cleanup` undoes both.
# Debian keeps wine64 out of PATH.
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="$PATH:/usr/lib/wine" ;; esac

wine_env_setup() {
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEPREFIX; WINEPREFIX=$(mktemp -d /tmp/converter-wine.XXXXXX)
  WINE_ENV_OWN_XVFB=""
  if [ -z "${DISPLAY:-}" ] || [ -n "${CONVERTER_FORCE_XVFB:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_OWN_XVFB=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
  # A persistent server first, so that Wine's own services start here, once,
  # and not later inside a test whose output pipe they would then hold open.
  wineserver -p
  wine64 wineboot -i >/dev/null 2>&1 || true
  # Map the fonts the windows ask for to installed ones.
  local key='HKCU\Software\Wine\Fonts\Replacements'
  wine64 reg add "$key" /v "Times New Roman" /d "Liberation Serif" /f >/dev/null 2>&1
  wine64 reg add "$key" /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
  wine64 reg add "$key" /v "MS Sans Serif" /d "Liberation Sans" /f >/dev/null 2>&1
  wine64 reg add "$key" /v "Arial" /d "Liberation Sans" /f >/dev/null 2>&1
  # Top-level windows unmanaged: with no window manager on the display, Wine
  # otherwise waits 2 s for a withdrawal that never comes on every hide.
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

wine_env_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ -n "${WINE_ENV_OWN_XVFB:-}" ]; then
    kill "$WINE_ENV_OWN_XVFB" >/dev/null 2>&1 || true
    wait "$WINE_ENV_OWN_XVFB" 2>/dev/null || true
  fi
}
