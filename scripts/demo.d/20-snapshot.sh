#!/usr/bin/env bash
# Pictures of the editor for the demo, from both builds: the Windows build opens its editor
# under wine, the Linux build its X11 window on the same Xvfb display, and the snapshot tool
# saves each appearance as out/demo/editor-<appearance>.png (Windows) and
# out/demo/editor-<appearance>-linux.png (Linux).
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh

snapshot_windows=build/mingw/tools/snapshot/brisalonde-snapshot.exe
snapshot_linux=build/linux/tools/snapshot/brisalonde-snapshot
mkdir -p out/demo
for appearance in original vintage silver; do
  wine "$snapshot_windows" --plugin "Z:$(pwd)/out/bin/Brisalonde.dll" --appearance "$appearance" \
    "Z:$(pwd)/out/demo/editor-$appearance.png"
  "$snapshot_linux" --plugin out/bin/Brisalonde.so --appearance "$appearance" \
    "out/demo/editor-$appearance-linux.png"
done
