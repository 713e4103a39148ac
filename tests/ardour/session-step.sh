# Sourced by the Ardour checks: one step of tests/ardour/session.lua (save or reload) in
# $work/session, with the instrument in the format and under the id given, and the checks
# both steps share: the plug-in is on the track, its note is heard, and the "Bass" program
# and the 123 ms Attack are in place. The step's findings are left in $work/STEP.txt.
fail() { echo "FAIL: $*"; exit 1; }
value() { awk -v k="$1" '$1 == k { print $2; exit }' "$2"; }

session_step() {  # STEP FORMAT ID
  local step=$1 format=$2 id=$3 attempt
  # ardour7-lua now and then fails to make the new track's ports ("Port already exists");
  # a new session is tried again then.
  for attempt in 1 2 3; do
    [[ $step == save ]] && rm -rf "$work/session"
    STEP=$step SESSION_DIR=$work/session PLUGIN_FORMAT=$format PLUGIN_ID=$id \
      timeout 120 ardour7-lua < tests/ardour/session.lua > "$work/$step.txt" 2>&1 || true
    grep -q "Port already exists" "$work/$step.txt" || break
  done
  grep -q "^result true" "$work/$step.txt" || { cat "$work/$step.txt"; fail "$step did not finish"; }
  echo "$step: $(grep -E '^(plugin|level|loaded)' "$work/$step.txt" | tr '\n' ' ')"
  [[ $(value plugin "$work/$step.txt") == Brisalonde ]] || fail "$step: no Brisalonde on the track"
  awk '$1 == "level" { exit !($2 > 0.01) }' "$work/$step.txt" || fail "$step: the note is not heard"
  # "Bass" transposes an octave down; Attack was set to 123 ms.
  [[ $(value param10 "$work/$step.txt") == -1.0 ]] || fail "$step: not the Bass program"
  awk '$1 == "param3" { exit !($2 > 122.99 && $2 < 123.01) }' "$work/$step.txt" ||
    fail "$step: Attack is not 123 ms"
}
