#!/usr/bin/env bash
# Checks a plug-in binary's export table (exactly the names given after the binary, by
# default VSTPluginMain) and what it needs at load time: the DLL imports no runtime DLL a
# plain Windows machine lacks; the .so carries its own C++ runtime and needs, beyond the C
# library, only libX11 and libcairo for its editor.
set -euo pipefail
binary=$1
shift
expected=$(printf '%s\n' "${@:-VSTPluginMain}" | sort -u)
fail() { echo "FAIL: $*"; exit 1; }

case "$binary" in
  *.dll|*/x86_64-win/*.vst3)
    dump=$(x86_64-w64-mingw32-objdump -p "$binary")
    exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' <<< "$dump" | sort -u)
    [[ "$exports" == "$expected" ]] || fail "exports are: $(tr '\n' ' ' <<< "${exports:-none}")"
    imports=$(awk '/DLL Name:/{print tolower($3)}' <<< "$dump" | sort -u)
    echo "imports: $(tr '\n' ' ' <<< "$imports")"
    for dll in $imports; do
      case "$dll" in
        libstdc++*|libgcc*|libwinpthread*) fail "imports $dll" ;;
        kernel32.dll|user32.dll|gdi32.dll|gdiplus.dll|msvcrt.dll|advapi32.dll) ;;
        api-ms-win-*) ;;
        *) fail "unexpected import $dll" ;;
      esac
    done
    ;;
  *.so)
    exports=$(nm -D --defined-only "$binary" | awk '{print $3}' | sort -u)
    [[ "$exports" == "$expected" ]] || fail "exports are: $(tr '\n' ' ' <<< "$exports")"
    needed=$(readelf -d "$binary" | awk '/NEEDED/{print $5}' | tr -d '[]')
    echo "needs: $(tr '\n' ' ' <<< "$needed")"
    for lib in $needed; do
      case "$lib" in
        libc.so.*|libm.so.*|ld-linux-x86-64.so.*) ;;
        libX11.so.6|libcairo.so.2) ;;
        *) fail "depends on $lib" ;;
      esac
    done
    ;;
  *) fail "unknown binary type: $binary" ;;
esac
echo "OK: $binary exports $(tr '\n' ' ' <<< "$expected")only"
