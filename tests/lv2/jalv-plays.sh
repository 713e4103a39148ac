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
export LV2_PATH=$work/lv2
uri=urn:brisalonde:tqx-520-b
source "$(dirname "$0")/jack-session.sh"
stop() {
  exec 3>&- || true  # jalv's console input first
  stop_jack_session
}
trap stop EXIT
has_port() { jack_lsp | grep -qx "$1"; }

start_jack
# jalv's console quits at the end of its input: a pipe held open here keeps it running.
mkfifo "$work/console"
jalv -x -n brisalonde "$uri" < "$work/console" > "$work/jalv.log" 2>&1 &
started
exec 3> "$work/console"
await has_port brisalonde:out_left || fail "jalv did not load $uri"
# Middle C for half of every second.
jack_midiseq notes 48000 0 60 24000 > "$work/midiseq.log" 2>&1 &
started
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
