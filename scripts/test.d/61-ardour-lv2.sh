#!/usr/bin/env bash
# Headless Ardour 7 with the LV2 bundle: ardour7-lua finds the instrument by its URI, puts it
# on a MIDI track, lists the five presets by label, loads one, changes a port, plays a note
# that the track's meter hears, saves with the plug-in's own state, and reloads with the values
# intact.
# needs: linux alone
set -euo pipefail
cd "$(dirname "$0")/../.."
bundle=${BRISALONDE_LV2_BUNDLE:-build/linux/lv2/Brisalonde.lv2}
uri=urn:brisalonde:tqx-520-b
work=$(pwd)/build/ardour-lv2
rm -rf "$work"
mkdir -p "$work/home/.lv2" "$work/cache" "$work/config"
cp -R "$bundle" "$work/home/.lv2/"
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
export LV2_PATH=$HOME/.lv2

source tests/ardour/session-step.sh
session_step save LV2 "$uri"
session_step reload LV2 "$uri"
for name in Original "Soft reed" Bass Lantern Glide; do
  grep -q "^preset $name $uri#preset-" "$work/save.txt" || fail "Ardour does not list the preset $name"
done
# The session keeps the plug-in's own state beside the port values: the state record.
grep -rqs "$uri#record" "$work/session" || fail "the session holds no plug-in state"
diff <(grep '^param' "$work/save.txt") <(grep '^param' "$work/reload.txt") ||
  fail "the values changed over save and reload"
echo "OK: Ardour 7 finds, plays, saves and reloads the LV2 bundle"
