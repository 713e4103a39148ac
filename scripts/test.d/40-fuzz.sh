#!/usr/bin/env bash
# A short libFuzzer run of each fuzz target (state chunk, event queue, dispatcher): first
# every input of the seed corpus in the repository, then new inputs for FUZZ_SECONDS each.
# New interesting inputs go to build/fuzz/corpus-work, crashing ones to build/fuzz/artifacts.
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${FUZZ_SECONDS:-20}
# Caches that fontconfig and cairo keep for the whole process are not the plug-in's leaks.
export LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

cmake --preset fuzz > build-fuzz.log 2>&1 || { cat build-fuzz.log; exit 1; }
rm -f build-fuzz.log
cmake --build --preset fuzz || exit 1

status=0
mkdir -p build/fuzz/artifacts
for target in chunk events dispatcher; do
  work=build/fuzz/corpus-work/$target
  mkdir -p "$work"
  echo "--- ${target}_fuzzer for ${seconds} s"
  if ! build/fuzz/${target}_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/$target-" \
      "$work" "fuzz/corpus/$target" > "build/fuzz/$target.log" 2>&1; then
    status=1
    tail -n 40 "build/fuzz/$target.log"
  fi
  grep -E '^stat::number_of_executed_units|^Done|^#[0-9]+ *DONE' "build/fuzz/$target.log" || true
done
exit $status
