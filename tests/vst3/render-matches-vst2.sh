#!/usr/bin/env bash
# brisalonde-render plays a MIDI file through the VST 3 bundle into the same WAV file, byte for
# byte, as through the VST 2 binary: each program, both precisions, an odd block size.
set -euo pipefail
render=$1 vst2=$2 vst3=$3 midi=$4 scratch=$5
mkdir -p "$scratch"
for program in Original "Soft reed" Bass Lantern Glide; do
  for precision in single double; do
    for plugin in "$vst2" "$vst3"; do
      "$render" --quiet --plugin "$plugin" --program "$program" --block 333 \
        --precision "$precision" "$midi" "$scratch/$(basename "$plugin").wav"
    done
    cmp "$scratch/$(basename "$vst2").wav" "$scratch/$(basename "$vst3").wav" ||
      { echo "FAIL: $program, $precision precision"; exit 1; }
  done
done
echo "OK: the same WAV files through VST 3 and VST 2"
