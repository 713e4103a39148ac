#!/usr/bin/env bash
# The main job: builds the Linux and Windows plug-in binaries into out/bin and plays the
# demo through them into out/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Only what the demo uses: the plug-in and the render tool of each tree, and the Windows
# snapshot tool for the editor pictures. The test command builds everything.
for preset in linux mingw; do
  cmake --preset "$preset" > /dev/null
done
cmake --build --preset linux --target Brisalonde brisalonde-render
cmake --build --preset mingw --target Brisalonde brisalonde-render brisalonde-snapshot
mkdir -p out/bin
cp build/linux/plugin/Brisalonde.so build/mingw/plugin/Brisalonde.dll out/bin/

for step in scripts/demo.d/*.sh; do
  [[ -x "$step" ]] && "$step"
done

echo
echo "Plug-in binaries: $(pwd)/out/bin/Brisalonde.so and $(pwd)/out/bin/Brisalonde.dll"
if [[ -d out/demo ]]; then echo "Demo: $(pwd)/out/demo"; fi
