# Sourced by the scripts that run Windows programs: a private wine prefix inside build/, an
# Xvfb display for the programs that open windows, a wine server kept up meanwhile (so that no
# wine start waits for one), and cleanup of all on exit. With WINE_ENV_BOOT=later the caller
# runs wine_env_boot (the prefix's first boot and its fonts) itself, e.g. while it compiles;
# it then also calls stop_wine_env itself.
WINEPREFIX="$(pwd)/build/wine"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

wine_env_boot() {
  wineboot -i > /dev/null 2>&1 || true
  if [[ -x scripts/wine-fonts.sh ]]; then scripts/wine-fonts.sh; fi
}

stop_wine_env() {
  wineserver -k > /dev/null 2>&1 || true
  if [[ -n "${wine_xvfb_pid:-}" ]]; then
    kill "$wine_xvfb_pid" > /dev/null 2>&1 || true
    wait "$wine_xvfb_pid" 2> /dev/null || true
    wine_xvfb_pid=
  fi
}

source tests/x11/xvfb-server.sh
start_xvfb 1280x1024x24 || return 1
wine_xvfb_pid=$xvfb_pid
export DISPLAY=$xvfb_display

mkdir -p "$WINEPREFIX"
wineserver -p > /dev/null 2>&1 || true  # already up: the same prefix in use
if [[ "${WINE_ENV_BOOT:-}" != later ]]; then
  trap stop_wine_env EXIT
  wine_env_boot
fi
