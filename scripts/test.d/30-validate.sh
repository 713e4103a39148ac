#!/usr/bin/env bash
# The validator at full strictness against both builds of the instrument: the Linux .so
# natively, the Windows DLL under wine (in the wine environment test-all.sh sets up, whose
# Xvfb display lets the editor checks of both run). Neither may skip a check. A fixed seed
# keeps CI runs repeatable; set VALIDATE_SEED to explore others, LINUX_BUILD and MINGW_BUILD
# to validate other trees.
set -uo pipefail
cd "$(dirname "$0")/../.."
seed=${VALIDATE_SEED:-20240611}
linux=${LINUX_BUILD:-build/linux}
mingw=${MINGW_BUILD:-build/mingw}
status=0

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Shows a run and fails when its closing line counts skipped checks (the Windows program's
# lines end in CR LF).
nothing_skipped() {
  tee "$log"
  tr -d '\r' < "$log" | grep -q ', 0 skipped$' || { echo "FAIL: checks were skipped"; return 1; }
}

echo "--- brisalonde-validate: $linux/plugin/Brisalonde.so"
"$linux/tools/validate/brisalonde-validate" --strictness 10 --seed "$seed" \
  "$linux/plugin/Brisalonde.so" | nothing_skipped || status=1

echo "--- brisalonde-validate.exe under wine: $mingw/plugin/Brisalonde.dll"
wine "$mingw/tools/validate/brisalonde-validate.exe" --strictness 10 --seed "$seed" \
  "Z:$(pwd)/$mingw/plugin/Brisalonde.dll" | nothing_skipped || status=1

exit $status
