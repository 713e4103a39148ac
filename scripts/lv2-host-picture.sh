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
export LV2_PATH=$work/lv2
mkdir -p "$LV2_PATH"
cp -R "$bundle" "$LV2_PATH/"
source tests/lv2/jack-session.sh
stop() {
  stop_jack_session
  rm -rf "$work"
}
trap stop EXIT

start_jack
jalv.gtk3 -x -n brisalonde "$uri" > "$work/jalv.log" 2>&1 &
started
# The host's top-level window carries the plug-in's name.
window() { xwininfo -root -children | awk '/"Brisalonde"/ { print $1; exit }' | grep .; }
await window || fail "jalv.gtk3 opened no window"
# A moment for the host to lay out its frame and the editor to paint its first face.
sleep 2
mkdir -p "$(dirname "$picture")"
import -window "$(window)" "$picture"
echo "wrote $picture: $(identify -format '%wx%h' "$picture")"
