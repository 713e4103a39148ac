#!/usr/bin/env bash
# The instrument and the validator built with ThreadSanitizer, and the validator's thread
# checks run on them: an audio thread processing while other threads write parameters,
# switch programs and restore states. The parameter store, the only state those threads
# share, must come out race-free.
set -uo pipefail
cd "$(dirname "$0")/../.."

cmake --preset linux-tsan > build-linux-tsan.log 2>&1 || { cat build-linux-tsan.log; exit 1; }
rm -f build-linux-tsan.log
cmake --build --preset linux-tsan || exit 1

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1"
build/linux-tsan/tools/validate/brisalonde-validate --strictness "${TSAN_STRICTNESS:-8}" \
  --seed 20240611 --only threads,lifecycle,realtime build/linux-tsan/plugin/Brisalonde.so
