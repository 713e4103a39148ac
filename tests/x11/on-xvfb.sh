#!/usr/bin/env bash
# Runs a test program on an X display of its own: starts Xvfb on the first free display number,
# runs the program with DISPLAY set to it, and stops the server after. Listing a GoogleTest
# program's cases needs no display.
set -uo pipefail
for arg in "$@"; do
  [[ "$arg" == --gtest_list_tests ]] && exec "$@"
done

ready=$(mktemp)
trap 'rm -f "$ready"' EXIT
# Xvfb writes the display number it took once it accepts connections.
Xvfb -displayfd 3 -screen 0 1920x1200x24 -nolisten tcp 3> "$ready" > /dev/null 2>&1 &
server=$!
for _ in $(seq 1000); do
  [[ -s "$ready" ]] && break
  kill -0 "$server" 2> /dev/null || break
  sleep 0.01
done
display=$(tr -dc 0-9 < "$ready")
if [[ -z "$display" ]]; then
  echo "on-xvfb: Xvfb did not start" >&2
  kill "$server" 2> /dev/null
  exit 1
fi

DISPLAY=":$display" "$@"
status=$?
kill "$server" 2> /dev/null
wait "$server" 2> /dev/null
exit $status
