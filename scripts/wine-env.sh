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
  wine_prefix_init
}

# Makes a new prefix in $WINEPREFIX and sets it up as every run here expects.
wine_prefix_init() {
  wine64 wineboot -i >/dev/null 2>&1 || true
  wine_prefix_fonts
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
  wine64 reg import "Z:${settings//\//\\}" >/dev/null 2>&1
  rm -f "$settings"
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
