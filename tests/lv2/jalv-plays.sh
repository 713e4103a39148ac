#!/usr/bin/env bash
# jalv hosts the bundle on a JACK dummy server of its own: a MIDI loop from jack_midiseq plays
# middle C into it, jack_rec records its two outputs, and the recording must not be silent.
# Usage: jalv-plays.sh BUNDLE WORKDIR
set -euo pipefail
bundle=$1
work=$2
rm -rf "$work"
mkdir -p "$work/lv2"
cp -R "$bundle" "$work/lv2/"
# A server name of our own, so parallel runs and other JACK users never meet.
export JACK_DEFAULT_SERVER=brisalonde-jalv-$$ JACK_NO_AUDIO_RESERVATION=1 LV2_PATH=$work/lv2
uri=urn:brisalonde:tqx-520-b
pids=()
# The clients go first, newest first, then the server: a JACK client whose server has gone may
# hang in its own shutdown, so whatever has not ended after two seconds is killed.
stop() {
  exec 3>&- || true
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p=${pids[i]}
    kill "$p" 2> /dev/null || continue
    for _ in $(seq 20); do kill -0 "$p" 2> /dev/null || break; sleep 0.1; done
    kill -KILL "$p" 2> /dev/null || true
  done
  wait 2> /dev/null || true
}
trap stop EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
  exit 1
}
# Up to ten seconds for a condition.
await() {
  for _ in $(seq 100); do "$@" > /dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
has_port() { jack_lsp | grep -qx "$1"; }

jackd --no-realtime -d dummy -r 48000 -p 512 > "$work/jackd.log" 2>&1 &
pids+=($!)
await jack_lsp || fail "the JACK dummy server did not start"
# jalv's console quits at the end of its input: a pipe held open here keeps it running.
mkfifo "$work/console"
jalv -x -n brisalonde "$uri" < "$work/console" > "$work/jalv.log" 2>&1 &
pids+=($!)
exec 3> "$work/console"
await has_port brisalonde:out_left || fail "jalv did not load $uri"
# Middle C for half of every second.
jack_midiseq notes 48000 0 60 24000 > "$work/midiseq.log" 2>&1 &
pids+=($!)
await has_port notes:out || fail "jack_midiseq did not start"
jack_connect notes:out brisalonde:events || fail "cannot connect the MIDI loop"
timeout -k 2 20 jack_rec -f "$work/out.wav" -d 2 brisalonde:out_left brisalonde:out_right \
  > "$work/rec.log" 2>&1 || fail "jack_rec did not record"
peak=$(sox "$work/out.wav" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $3 }')
seconds=$(sox "$work/out.wav" -n stat 2>&1 | awk '/^Length/ { print $3 }')
echo "recorded ${seconds}s, peak $peak"
awk -v s="$seconds" 'BEGIN { exit !(s >= 1.5) }' || fail "the recording is short"
awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' || fail "the recording is silent"
echo "OK: jalv plays the note"
