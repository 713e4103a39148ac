#!/usr/bin/env bash
# Runs a command and checks its exit status and what it printed (stdout and stderr together):
#   expect-exit.sh STATUS PATTERN -- COMMAND...
# PATTERN is an extended regular expression that must match; the word EMPTY instead demands
# that nothing was printed. Wine's own notice about a missing 32-bit part is not counted.
set -uo pipefail
expected=$1
pattern=$2
shift 3
command_text="$*"
output=$("$@" 2>&1)
status=$?
output=$(grep -Ev 'wine32 is missing|multiarch needs|dpkg --add-architecture|apt-get install wine32' <<< "$output")
fail() {
  printf 'FAIL: %s\ncommand: %s\nstatus: %s\noutput:\n%s\n' "$1" "$command_text" "$status" "$output"
  exit 1
}
[[ "$status" == "$expected" ]] || fail "exit status $status, expected $expected"
if [[ "$pattern" == EMPTY ]]; then
  [[ -z "$output" ]] || fail "expected no output"
else
  grep -Eq -- "$pattern" <<< "$output" || fail "output does not match: $pattern"
fi
echo "OK: status $status, output matches"
