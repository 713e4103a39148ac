#!/usr/bin/env bash
# Checks the LV2 DSP binary: it exports lv2_descriptor only, carries its own C++ runtime and
# needs nothing beyond the C library, so hosts without a display (and without X11 or cairo
# installed) load it.
set -euo pipefail
binary=$1
fail() { echo "FAIL: $*"; exit 1; }
exports=$(nm -D --defined-only "$binary" | awk '{print $3}' | sort -u)
[[ "$exports" == "lv2_descriptor" ]] || fail "exports are: $(tr '\n' ' ' <<< "$exports")"
needed=$(readelf -d "$binary" | awk '/NEEDED/{print $5}' | tr -d '[]')
echo "needs: $(tr '\n' ' ' <<< "$needed")"
for lib in $needed; do
  case "$lib" in
    libc.so.*|libm.so.*|ld-linux*) ;;
    *) fail "needs $lib" ;;
  esac
done
echo "OK: $binary"
