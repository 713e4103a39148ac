#!/usr/bin/env bash
# The LV2 editor inside a real host: jalv.gtk3 on a JACK dummy server embeds the UI on an X
# display of its own, and the host's window is captured into docs/editor-lv2-jalv.png.
# Run by hand after the main build: scripts/lv2-host-picture.sh [BUNDLE] [PICTURE]
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ ${1:-} != --on-display ]]; then
  exec tests/x11/on-xvfb.sh "$0" --on-display "$@"
fi
shift
bundle=$(realpath "${1:-build/linux/lv2/Brisalonde.lv2}")
picture=${2:-docs/editor-lv2-jalv.png}
uri=urn:brisalonde:tqx-520-b
work=$(mktemp -d)
export JACK_DEFAULT_SERVER=brisalonde-picture-$$ JACK_NO_AUDIO_RESERVATION=1 LV2_PATH=$work/lv2
mkdir -p "$LV2_PATH"
cp -R "$bundle" "$LV2_PATH/"
pids=()
# Newest first, then the server; whatever has not ended after two seconds is killed.
stop() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    p=${pids[i]}
    kill "$p" 2> /dev/null || continue
    for _ in $(seq 20); do kill -0 "$p" 2> /dev/null || break; sleep 0.1; done
    kill -KILL "$p" 2> /dev/null || true
  done
  wait 2> /dev/null || true
  rm -rf "$work"
}
trap stop EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
  exit 1
}
await() {
  for _ in $(seq 100); do "$@" > /dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

jackd --no-realtime -d dummy -r 48000 -p 512 > "$work/jackd.log" 2>&1 &
pids+=($!)
await jack_lsp || fail "the JACK dummy server did not start"
jalv.gtk3 -x -n brisalonde "$uri" > "$work/jalv.log" 2>&1 &
pids+=($!)
# The host's top-level window carries the plug-in's name.
window() { xwininfo -root -children | awk '/"Brisalonde"/ { print $1; exit }' | grep .; }
await window || fail "jalv.gtk3 opened no window"
# A moment for the host to lay out its frame and the editor to paint its first face.
sleep 2
mkdir -p "$(dirname "$picture")"
import -window "$(window)" "$picture"
echo "wrote $picture: $(identify -format '%wx%h' "$picture")"
