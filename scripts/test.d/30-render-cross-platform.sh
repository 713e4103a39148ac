#!/usr/bin/env bash
# The same phrase through the Linux .so (natively) and through the DLL (under wine) must give
# the same audio, to within a tight bound: both builds compile the same sources, and only
# the two C libraries' maths functions may differ in their last bits.
# Uses the linux and mingw build trees and the wine environment that scripts/test-all.sh has
# set up (BRISALONDE_LINUX_BUILD / BRISALONDE_MINGW_BUILD choose other trees).
# needs: linux mingw wine
set -euo pipefail
cd "$(dirname "$0")/../.."
linux=${BRISALONDE_LINUX_BUILD:-build/linux}
mingw=${BRISALONDE_MINGW_BUILD:-build/mingw}
bound=1e-6  # largest difference allowed in any sample: -120 dBFS
programs=("Original" "Soft reed" "Bass" "Lantern" "Glide")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
demo/make-phrase.sh "$work/phrase.mid"

render_both() {  # name, then options for both renders
  local name=$1
  shift
  "$linux/tools/render/brisalonde-render" --quiet --plugin "$linux/plugin/Brisalonde.so" \
    --format float --tail 1 "$@" "$work/phrase.mid" "$work/$name-linux.wav"
  wine "$mingw/tools/render/brisalonde-render.exe" --quiet \
    --plugin "Z:$(pwd)/$mingw/plugin/Brisalonde.dll" --format float --tail 1 "$@" \
    "Z:$work/phrase.mid" "Z:$work/$name-windows.wav" 2> >(grep -v 'wine32\|multiarch\|i386' >&2)
  printf '%-22s ' "$name:"
  "$linux/tests/render/render-wav-compare" "$work/$name-linux.wav" "$work/$name-windows.wav" "$bound"
}

failed=0
for program in "${programs[@]}"; do
  render_both "$program" --program "$program" || failed=1
done
render_both "Original, double" --precision double || failed=1
if ((failed)); then
  echo "FAIL: the Linux and Windows renders differ by more than $bound"
  exit 1
fi
echo "OK: the Linux and Windows renders agree within $bound in every sample"
