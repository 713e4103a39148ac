#!/usr/bin/env bash
# Each appearance of the editor drawn by the two drawing layers, compared: the Windows DLL
# paints with GDI and GDI+ under wine (brisalonde-snapshot takes the picture), the Linux build
# paints the same painters with the cairo canvas (brisalonde-face-compare), each appearance in
# the same states. Pictures go to out/faces/; --docs also copies the default state's difference
# pictures to docs/editor-<appearance>-difference.png.
#
#   scripts/compare-faces.sh [--docs] [--max-share PERCENT] [--max-shift PIXELS]
#
# Needs the linux and mingw build trees (BRISALONDE_LINUX_BUILD / BRISALONDE_MINGW_BUILD
# choose others) and wine; sets up the wine environment itself unless one is set up already.
set -euo pipefail
cd "$(dirname "$0")/.."
linux=${BRISALONDE_LINUX_BUILD:-build/linux}
mingw=${BRISALONDE_MINGW_BUILD:-build/mingw}
out=out/faces
docs=0
limits=()
while (($#)); do
  case "$1" in
    --docs) docs=1 ;;
    --max-share | --max-shift) limits+=("$1" "$2"); shift ;;
    *) echo "usage: $0 [--docs] [--max-share PERCENT] [--max-shift PIXELS]" >&2; exit 2 ;;
  esac
  shift
done
if [[ -z "${WINEPREFIX:-}" || -z "${DISPLAY:-}" ]]; then source scripts/wine-env.sh; fi

# Each state: a name, then the options both programs take.
states=(
  "default|"
  "lantern|--program 3 --set 14=0 --set 4=0.9"
)

mkdir -p "$out"
failed=0
for appearance in original vintage silver; do
  for state in "${states[@]}"; do
    name=${state%%|*}
    read -r -a options <<< "${state#*|}"
    base=$out/$appearance-$name
    wine "$mingw/tools/snapshot/brisalonde-snapshot.exe" \
      --plugin "Z:$(pwd)/$mingw/plugin/Brisalonde.dll" --appearance "$appearance" "${options[@]}" \
      "Z:$(pwd)/$base-windows.png" > /dev/null 2> >(grep -v 'wine32\|multiarch\|i386' >&2)
    echo "--- $appearance appearance, $name state"
    "$linux/tools/facecompare/brisalonde-face-compare" --appearance "$appearance" "${options[@]}" \
      --cairo "$base-cairo.png" --difference "$base-difference.png" "${limits[@]}" \
      "$base-windows.png" || failed=1
  done
  if ((docs)); then cp "$out/$appearance-default-difference.png" "docs/editor-$appearance-difference.png"; fi
done
echo "Pictures: $(pwd)/$out"
exit $failed
