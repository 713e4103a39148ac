#!/usr/bin/env bash
# Pictures of the editor for the demo: the Windows build opens its editor under wine and the
# snapshot tool saves each appearance as out/demo/editor-<appearance>.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh

snapshot=build/mingw/tools/snapshot/brisalonde-snapshot.exe
mkdir -p out/demo
for skin in original vintage silver; do
  wine "$snapshot" --plugin "Z:$(pwd)/out/bin/Brisalonde.dll" --skin "$skin" \
    "Z:$(pwd)/out/demo/editor-$skin.png"
done
