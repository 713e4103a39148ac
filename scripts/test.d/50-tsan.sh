#!/usr/bin/env bash
# The instrument and the validator built with ThreadSanitizer (the linux-tsan tree), and the
# validator's thread checks run on them: an audio thread processing while other threads write
# parameters, switch programs and restore states. The parameter store, the only state those
# threads share, must come out race-free.
# needs: linux-tsan
set -uo pipefail
cd "$(dirname "$0")/../.."

export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1"
build/linux-tsan/tools/validate/brisalonde-validate --strictness "${TSAN_STRICTNESS:-8}" \
  --seed 20240611 --only threads,lifecycle,realtime build/linux-tsan/plugin/Brisalonde.so
