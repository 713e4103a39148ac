#!/usr/bin/env bash
# Takes docs/editor-vst3-ardour.png: the VST 3 editor open inside Ardour 7's GUI, on an Xvfb
# display of its own, with a JACK dummy server as the audio engine. The headless session
# script makes the session; xdotool then answers Ardour's start-up dialogs, shows the mixer and
# double-clicks the plug-in in the track's strip. The clicks are screen positions of this
# 1600x1000 layout, so this is a documentation tool to run by hand, not a test.
set -euo pipefail
cd "$(dirname "$0")/.."
bundle=${BRISALONDE_VST3_BUNDLE:-build/linux/vst3/Brisalonde.vst3}
out=${1:-docs/editor-vst3-ardour.png}
work=$(pwd)/build/ardour-shot
rm -rf "$work"
mkdir -p "$work/home/.vst3" "$work/cache" "$work/config/ardour7"
cp -R "$bundle" "$work/home/.vst3/"
find "$work/home/.vst3" -exec touch -d "2026-01-01 00:00:00" {} +
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
export JACK_DEFAULT_SERVER=brisalonde-shot-$$
# Ardour's mark that its first-run wizard has been through.
touch "$XDG_CONFIG_HOME/ardour7/.a7"
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -q -f \
  "$HOME/.vst3/Brisalonde.vst3"
for attempt in 1 2 3 4; do
  rm -rf "$work/session"
  STEP=save SESSION_DIR=$work/session PLUGIN_FORMAT=VST3 PLUGIN_ID=Brisalonde \
    timeout 120 ardour7-lua < tests/ardour/session.lua > "$work/save.txt" 2>&1 || true
  grep -q "Port already exists" "$work/save.txt" || break
done
grep -q "^result true" "$work/save.txt" || { cat "$work/save.txt"; exit 1; }

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done; }
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3> "$work/display" 2> /dev/null &
pids+=($!)
sleep 2
export DISPLAY=:$(tr -dc 0-9 < "$work/display")
jackd --no-realtime -t 20000 -d dummy -r 48000 -p 1024 > "$work/jack.txt" 2>&1 &
pids+=($!)
sleep 2
ardour -n -a "$work/session/brisalonde.ardour" > "$work/gui.txt" 2>&1 &
pids+=($!)
click() { xdotool mousemove "$1" "$2" click --repeat "${3:-1}" --delay 80 1; }
sleep 12
xdotool key Return  # "Engine I/O device has changed"
sleep 2
click 806 358       # the audio system list
sleep 1
click 760 380       # JACK
sleep 2
click 1086 659      # "Connect to JACK"
sleep 12
click 1326 73       # "Mix"
sleep 3
click 334 187 2     # the plug-in in the Synth strip
sleep 6
# Ardour's main window (with the plug-in window over it) fills the top left 1348x714.
import -window root -crop 1348x714+0+0 +repage "$out"
echo "wrote $out"
