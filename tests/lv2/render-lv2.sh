#!/usr/bin/env bash
# brisalonde-render plays the demo phrase through the LV2 bundle (--lv2, each preset by its
# label) into the same WAV bytes as through the VST 2 binary (each program by its name).
#   render-lv2.sh RENDER VST2_BINARY BUNDLE
set -euo pipefail
render=$1
vst2=$2
bundle=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# LV2_PATH holds the bundle alone, as an install directory would.
mkdir "$work/lv2"
ln -s "$bundle" "$work/lv2/Brisalonde.lv2"
export LV2_PATH="$work/lv2"
"$(dirname "$0")/../../demo/make-phrase.sh" "$work/phrase.mid"
failed=0
for program in Original "Soft reed" Bass Lantern Glide; do
  for block in 512 333; do
    "$render" --quiet --plugin "$vst2" --program "$program" --format float --tail 1 \
      --block "$block" "$work/phrase.mid" "$work/vst2.wav"
    "$render" --quiet --lv2 urn:brisalonde:tqx-520-b --program "$program" --format float \
      --tail 1 --block "$block" "$work/phrase.mid" "$work/lv2.wav"
    if cmp -s "$work/vst2.wav" "$work/lv2.wav"; then
      echo "same bytes: $program, $block-frame blocks"
    else
      echo "FAIL: $program, $block-frame blocks: --lv2 differs from the VST 2 binary"
      failed=1
    fi
  done
done
if ! "$render" --quiet --lv2 urn:brisalonde:tqx-520-b --program "No such preset" \
    "$work/phrase.mid" "$work/none.wav" 2> /dev/null; then
  echo "an unknown preset is refused"
else
  echo "FAIL: an unknown preset was accepted"
  failed=1
fi
exit $failed
