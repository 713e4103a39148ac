#!/usr/bin/env bash
# Plays the demo phrase through each of the five factory programs of the Linux build into
# out/demo: a WAV file (48000 Hz, 24-bit) and a spectrogram picture per program.
set -euo pipefail
cd "$(dirname "$0")/../.."
# The defaults are what scripts/build-demo.sh has built; the variables serve other trees.
render=${BRISALONDE_RENDER:-build/linux/tools/render/brisalonde-render}
plugin=${BRISALONDE_PLUGIN:-out/bin/Brisalonde.so}
demo=${BRISALONDE_DEMO_DIR:-out/demo}
programs=("Original" "Soft reed" "Bass" "Lantern" "Glide")
tail_seconds=2.5  # covers the longest release among the programs (Lantern, 1.75 s)

mkdir -p "$demo"
demo/make-phrase.sh "$demo/phrase.mid"
for i in "${!programs[@]}"; do
  name=${programs[$i]}
  base=$demo/$((i + 1))-$(tr 'A-Z ' 'a-z-' <<< "$name")
  "$render" --quiet --plugin "$plugin" --program "$name" --tail "$tail_seconds" \
    "$demo/phrase.mid" "$base.wav"
  sox "$base.wav" -n remix 1 spectrogram -x 1200 -y 513 -z 90 \
    -t "Brisalonde, program \"$name\"" -c "demo phrase, 48000 Hz" -o "$base.png"
done

where=$(cd "$demo" && pwd)
echo "Demo phrase: $where/phrase.mid (from demo/phrase.txt), played through each program:"
for i in "${!programs[@]}"; do
  base=$where/$((i + 1))-$(tr 'A-Z ' 'a-z-' <<< "${programs[$i]}")
  echo "  ${programs[$i]}: $base.wav (spectrogram $base.png)"
done
