# Sourced by the scripts that run Windows programs: a private wine prefix inside build/,
# an Xvfb display for programs that open windows, and cleanup of both on exit.
WINEPREFIX="$(pwd)/build/wine"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"

stop_wine_env() {
  wineserver -k > /dev/null 2>&1 || true
  kill "$xvfb_pid" > /dev/null 2>&1 || true
  wait "$xvfb_pid" 2> /dev/null || true
}
trap stop_wine_env EXIT

mkdir -p "$WINEPREFIX"
wineboot -i > /dev/null 2>&1 || true
if [[ -x scripts/wine-fonts.sh ]]; then scripts/wine-fonts.sh; fi
