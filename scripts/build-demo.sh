#!/usr/bin/env bash
# The main job: builds the Linux and Windows plug-in binaries into out/bin and plays the
# demo through them into out/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# Only what the demo uses: the plug-in, the render tool and the snapshot tool (for the editor
# pictures) of each tree. The test command builds everything.
for preset in linux mingw; do
  cmake --preset "$preset" > /dev/null
  cmake --build --preset "$preset" --target Brisalonde BrisalondeVst3 brisalonde-render \
    brisalonde-snapshot
done
cmake --build --preset linux --target brisalonde_lv2_bundle
mkdir -p out/bin
cp build/linux/plugin/Brisalonde.so build/mingw/plugin/Brisalonde.dll out/bin/
# One VST 3 bundle for both platforms: each tree builds its own binary into the bundle
# layout, the Linux tree the module description too.
rm -rf out/bin/Brisalonde.vst3
mkdir -p out/bin/Brisalonde.vst3
cp -R build/linux/vst3/Brisalonde.vst3/Contents out/bin/Brisalonde.vst3/
cp -R build/mingw/vst3/Brisalonde.vst3/Contents/x86_64-win out/bin/Brisalonde.vst3/Contents/
rm -rf out/bin/Brisalonde.lv2
cp -r build/linux/lv2/Brisalonde.lv2 out/bin/

for step in scripts/demo.d/*.sh; do
  [[ -x "$step" ]] && "$step"
done

echo
echo "Plug-in binaries: $(pwd)/out/bin/Brisalonde.so and $(pwd)/out/bin/Brisalonde.dll"
echo "VST 3 bundle (Linux and Windows): $(pwd)/out/bin/Brisalonde.vst3"
echo "LV2 bundle: $(pwd)/out/bin/Brisalonde.lv2"
if [[ -d out/demo ]]; then echo "Demo: $(pwd)/out/demo"; fi
