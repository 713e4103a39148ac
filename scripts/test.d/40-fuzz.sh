#!/usr/bin/env bash
# A short libFuzzer run of each fuzz target (state chunk, event queue, dispatcher): first
# every input of the seed corpus in the repository, then new inputs for FUZZ_SECONDS each.
# The targets are built in the sanitizer tree (FUZZ_BUILD chooses another). New interesting
# inputs go to <tree>/fuzz/corpus-work, crashing ones to <tree>/fuzz/artifacts.
# needs: linux-asan
set -uo pipefail
cd "$(dirname "$0")/../.."
seconds=${FUZZ_SECONDS:-20}
tree=${FUZZ_BUILD:-build/linux-asan}
# Caches that fontconfig and cairo keep for the whole process are not the plug-in's leaks.
export LSAN_OPTIONS="suppressions=$(pwd)/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

status=0
mkdir -p "$tree/fuzz/artifacts"
for target in chunk events dispatcher; do
  work=$tree/fuzz/corpus-work/$target
  mkdir -p "$work"
  echo "--- ${target}_fuzzer for ${seconds} s"
  if ! "$tree/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$tree/fuzz/artifacts/$target-" \
      "$work" "fuzz/corpus/$target" > "$tree/fuzz/$target.log" 2>&1; then
    status=1
    tail -n 40 "$tree/fuzz/$target.log"
  fi
  grep -E '^stat::number_of_executed_units|^Done|^#[0-9]+ *DONE' "$tree/fuzz/$target.log" || true
done
exit $status
