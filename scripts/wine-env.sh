# Sourced by the run and test scripts: a throw-away Wine prefix and, when there
# is no display, a private Xvfb. `wine_env_cleanup` undoes both.
# Debian keeps wine64 out of PATH.
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="$PATH:/usr/lib/wine" ;; esac

wine_env_setup() {
  export WINEDEBUG=-all
  # No Mono or Gecko installers; no copies of Start-menu entries in the desktop
  # menus of the machine's user.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEPREFIX; WINEPREFIX=$(mktemp -d /tmp/converter-wine.XXXXXX)
  WINE_ENV_OWN_XVFB=""
  if [ -z "${DISPLAY:-}" ] || [ -n "${CONVERTER_FORCE_XVFB:-}" ]; then
    wine_env_start_xvfb || return 1
  fi
  # A persistent server first, so that Wine's own services start here, once,
  # and not later inside a test whose output pipe they would then hold open.
  if ! wineserver -p; then
    echo "wine-env: wineserver did not start for $WINEPREFIX" >&2
    return 1
  fi
  wine_prefix_init
}

# Starts a private Xvfb and points DISPLAY at it. Xvfb picks the display
# number itself (-displayfd): its lock file decides, so runs started at the
# same moment never share one, and it writes the number once it accepts
# connections. Fails, saying so, when it does not come up.
wine_env_start_xvfb() {
  local ready number=""
  ready=$(mktemp /tmp/converter-xvfb.XXXXXX)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  WINE_ENV_OWN_XVFB=$!
  for _ in $(seq 300); do
    if read -r number < "$ready" && [ -n "$number" ]; then break; fi
    number=""
    kill -0 "$WINE_ENV_OWN_XVFB" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$ready"
  if [ -z "$number" ]; then
    echo "wine-env: Xvfb did not start (no display after 30 s, or it ended)" >&2
    kill "$WINE_ENV_OWN_XVFB" 2>/dev/null
    wait "$WINE_ENV_OWN_XVFB" 2>/dev/null
    WINE_ENV_OWN_XVFB=""
    return 1
  fi
  export DISPLAY=":$number"
}

# Makes a new prefix in $WINEPREFIX and sets it up as every run here expects.
wine_prefix_init() {
  if ! wine64 wineboot -i >/dev/null 2>&1 || [ ! -d "$WINEPREFIX/drive_c/windows" ]; then
    echo "wine-env: could not make a Wine prefix in $WINEPREFIX (wine64 wineboot -i failed)" >&2
    return 1
  fi
  wine_prefix_fonts || return 1
  # One import: every start of reg.exe costs about a second.
  local settings="$WINEPREFIX/converter-settings.reg"
  cat > "$settings" <<'EOF'
REGEDIT4

; Map the fonts the windows ask for to installed ones.
[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"MS Sans Serif"="Liberation Sans"
"Arial"="Liberation Sans"

; Top-level windows unmanaged: with no window manager on the display, Wine
; otherwise waits 2 s for a withdrawal that never comes on every hide.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
EOF
  local imported=0
  wine64 reg import "Z:${settings//\//\\}" >/dev/null 2>&1 || imported=$?
  rm -f "$settings"
  if ((imported)); then
    echo "wine-env: could not import the prefix's settings (font mapping, unmanaged windows)" >&2
    return 1
  fi
}

# Wine draws the caption buttons (minimise, maximise, close) and menu check
# marks with the "Marlett" symbol font. Debian's fonts-wine ships it in
# /usr/share/wine/fonts, a folder this Wine does not read, so the buttons show
# the letters "0 1 r"; a copy in the prefix's own Fonts folder is read by every
# program started afterwards. (Only Marlett: the other fonts there would
# change the text of every window.)
wine_prefix_fonts() {
  local marlett=/usr/share/wine/fonts/marlett.ttf
  if [ -f "$marlett" ]; then
    cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  else
    echo "wine-env: $marlett is missing (package fonts-wine); caption buttons show letters" >&2
  fi
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
