#!/usr/bin/env bash
# Builds everything and runs every test: native, under the sanitizers, and the Windows
# binaries under wine. Installs what the machine lacks first.
#
# The build trees are built in two lanes of three compile jobs each, which fill each other's
# pauses (configuring, linking); every check starts in the background as soon as what it
# needs is ready, so that tests, wine and fuzzing run while the next tree compiles.
# The checks are each tree's ctest and the scripts in scripts/test.d, whose "# needs:" line
# names the trees they use, "wine" for the wine prefix, and "wine-display" when they open
# windows under wine (those take turns with the mingw tests, which read back their windows'
# pixels), and "alone" for checks that run after all others, one at a time. Each step's output goes to build/test-all/<step>.log and is shown when the step
# ends, with its seconds; the total and the failed steps close the run.
set -uo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
# Each lane's trees in order: the first lane's tests (the sanitizer tree's, the fuzz runs)
# and the second's (the wine tests) take longest, so their trees come first.
lanes=("linux-asan linux-tsan" "mingw linux")
trees=(linux mingw linux-asan linux-tsan)
logs=build/test-all
rm -rf "$logs"
mkdir -p "$logs"
: > "$logs/times"

# A compiler cache, when the machine has one, makes rebuilds of unchanged sources free.
# Its depend mode takes the dependencies from the compiler rather than preprocessing twice.
if command -v ccache > /dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_DEPEND=true
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
fi

# step NAME COMMAND...: runs the command with its output in $logs/NAME.log, then shows the
# output, the step's start (seconds into the run) and duration, and notes a failure.
step() {
  local name=$1 start=$SECONDS status=0
  shift
  "$@" > "$logs/$name.log" 2>&1 < /dev/null || status=$?
  local seconds=$((SECONDS - start)) verdict=ok
  ((status)) && verdict="FAILED (exit status $status)"
  {
    flock 9
    echo "=== $name"
    cat "$logs/$name.log"
    echo "=== $name: $verdict after $seconds s"
    printf '%-30s %+6d s %6d s  %s\n' "$name" $((start - started)) "$seconds" "$verdict" \
      >> "$logs/times"
    ((status == 0)) || echo "$name" >> "$logs/failed"
  } 9> "$logs/lock"
  return $status
}

# Readiness of what checks wait for: $logs/ready-NAME once it is there, failed-NAME if it
# never will be.
mark() {  # NAME STEP COMMAND...: runs the command as a step and marks NAME by its outcome
  local name=$1
  shift
  if step "$@"; then touch "$logs/ready-$name"; else touch "$logs/failed-$name"; fi
}

checks=()
# check NAME "NEEDS" COMMAND...: a step that starts in the background once NEEDS are ready.
check() {
  local name=$1 needs=$2
  shift 2
  (
    for need in $needs; do
      [[ "$need" == wine-display ]] && need=wine
      until [[ -e "$logs/ready-$need" ]]; do
        if [[ -e "$logs/failed-$need" ]]; then
          printf '%-30s %8s %8s  not run: %s failed\n' "$name" "" "" "$need" >> "$logs/times"
          echo "$name" >> "$logs/failed"
          exit 1
        fi
        sleep 1
      done
    done
    if [[ " $needs " == *" wine-display "* ]]; then
      exec 8> "$logs/wine-display.lock"
      flock 8
    fi
    step "$name" "$@"
  ) &
  checks+=($!)
}

kill_tree() {  # PID: the process and everything it started
  local child
  for child in $(ps -o pid= --ppid "$1" 2> /dev/null); do kill_tree "$child"; done
  kill "$1" 2> /dev/null
}

# Every server the run started goes, also when a step fails or the run is interrupted.
cleanup() {
  trap - EXIT INT TERM
  local pid
  for pid in "${checks[@]}"; do kill_tree "$pid"; done
  for tree in "${trees[@]}"; do
    tests/x11/shared-xvfb.sh stop "build/$tree/tests/shared-display" 2> /dev/null
  done
  if declare -F stop_wine_env > /dev/null; then stop_wine_env; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step install-deps scripts/install-deps.sh || exit 1

# The wine prefix boots while the trees compile.
WINE_ENV_BOOT=later source scripts/wine-env.sh || exit 1
(mark wine wine-prefix wine_env_boot) &
checks+=($!)

# Native tests see no display but the ones their own runs start.
check ctest-linux "linux" env -u DISPLAY ctest --preset linux -j2
check ctest-linux-asan "linux-asan" env -u DISPLAY ctest --preset linux-asan -j2
check ctest-mingw "mingw wine-display" ctest --preset mingw -j2
alone=()
for script in scripts/test.d/*.sh; do
  [[ -x "$script" ]] || continue
  needs=$(sed -n 's/^# needs: *//p' "$script" | head -n 1)
  if [[ " $needs " == *" alone "* ]]; then
    alone+=("$script")
    continue
  fi
  check "$(basename "$script" .sh)" "$needs" "$script"
done

build_tree() {  # PRESET
  cmake --preset "$1" && cmake --build --preset "$1" -j 3
}
for lane in "${lanes[@]}"; do
  (for tree in $lane; do mark "$tree" "build-$tree" build_tree "$tree"; done) &
  checks+=($!)
done

for pid in "${checks[@]}"; do wait "$pid"; done
# Real hosts' audio engines keep time: their checks run last, one at a time, with the
# machine to themselves.
for script in "${alone[@]}"; do step "$(basename "$script" .sh)" "$script"; done
cleanup

echo
echo "Step                            start   seconds"
cat "$logs/times"
echo "Total: $((SECONDS - started)) s"
if [[ -s "$logs/failed" ]]; then
  echo "FAILED: $(paste -sd ' ' "$logs/failed")"
  exit 1
fi
echo "All test suites passed."
