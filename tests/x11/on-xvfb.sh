#!/usr/bin/env bash
# Runs a test program on an X display: on the test run's shared Xvfb when
# BRISALONDE_SHARED_DISPLAY names the folder where tests/x11/shared-xvfb.sh started one,
# else on an Xvfb of its own, started on the first free display number and stopped after.
# Listing a GoogleTest program's cases needs no display.
set -uo pipefail
for arg in "$@"; do
  [[ "$arg" == --gtest_list_tests ]] && exec "$@"
done

if [[ -n "${BRISALONDE_SHARED_DISPLAY:-}" ]]; then
  display=$(cat "$BRISALONDE_SHARED_DISPLAY/display" 2> /dev/null) || {
    echo "on-xvfb: no shared Xvfb in $BRISALONDE_SHARED_DISPLAY" >&2
    exit 1
  }
  DISPLAY=$display exec "$@"
fi

source "$(dirname "$0")/xvfb-server.sh"
start_xvfb || exit 1
DISPLAY=$xvfb_display "$@"
status=$?
kill "$xvfb_pid" 2> /dev/null
wait "$xvfb_pid" 2> /dev/null
exit $status
