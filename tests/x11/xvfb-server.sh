# Sourced by the scripts that start an Xvfb: start_xvfb [WIDTHxHEIGHTxDEPTH] starts one on the
# first free display number and, once it accepts connections, sets xvfb_pid and xvfb_display
# (":N"). The server holds none of the caller's output.
start_xvfb() {
  local screen=${1:-1920x1200x24} ready
  ready=$(mktemp)
  # Xvfb writes the display number it took once it accepts connections.
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3> "$ready" > /dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1000); do
    [[ -s "$ready" ]] && break
    kill -0 "$xvfb_pid" 2> /dev/null || break
    sleep 0.01
  done
  xvfb_display=":$(tr -dc 0-9 < "$ready")"
  rm -f "$ready"
  if [[ "$xvfb_display" == ":" ]]; then
    echo "Xvfb did not start" >&2
    kill "$xvfb_pid" 2> /dev/null
    return 1
  fi
}
