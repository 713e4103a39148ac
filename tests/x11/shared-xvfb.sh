#!/usr/bin/env bash
# One Xvfb for a whole ctest run, as the setup and the cleanup of a ctest fixture:
#   shared-xvfb.sh start FOLDER   starts it; its display goes to FOLDER/display, its id to FOLDER/pid
#   shared-xvfb.sh stop FOLDER    stops it (nothing to do when none runs)
# tests/x11/on-xvfb.sh runs a test on it when BRISALONDE_SHARED_DISPLAY names FOLDER.
set -uo pipefail
action=${1:-}
folder=${2:-}

stop() {
  local pid
  pid=$(cat "$folder/pid" 2> /dev/null) || return 0
  rm -f "$folder/pid" "$folder/display"
  kill "$pid" 2> /dev/null || return 0
  for _ in $(seq 500); do
    kill -0 "$pid" 2> /dev/null || return 0
    sleep 0.01
  done
  kill -9 "$pid" 2> /dev/null
  return 0
}

case "$action" in
  start)
    stop  # one that an interrupted run left behind
    mkdir -p "$folder"
    source "$(dirname "$0")/xvfb-server.sh"
    # The server outlives this step; it holds none of the output pipes ctest waits on.
    start_xvfb || exit 1
    echo "$xvfb_pid" > "$folder/pid"
    echo "$xvfb_display" > "$folder/display"
    echo "shared Xvfb on display $xvfb_display"
    ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
