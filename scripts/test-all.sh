#!/usr/bin/env bash
# Builds everything and runs every test: native, under the sanitizers, and the Windows
# binaries under wine. Installs what the machine lacks first.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

failed=()
run_preset() {
  local preset=$1
  echo "=== $preset"
  cmake --preset "$preset" > "build-$preset.log" 2>&1 || { cat "build-$preset.log"; failed+=("$preset: configure"); return; }
  rm -f "build-$preset.log"
  cmake --build --preset "$preset" || { failed+=("$preset: build"); return; }
  ctest --preset "$preset" -j2 || failed+=("$preset: tests")
}

run_preset linux
run_preset linux-asan
source scripts/wine-env.sh
run_preset mingw
for extra in scripts/test.d/*.sh; do
  [[ -x "$extra" ]] || continue
  echo "=== $extra"
  "$extra" || failed+=("$extra")
done

if ((${#failed[@]})); then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "All test suites passed."
