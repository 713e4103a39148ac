#!/usr/bin/env bash
# Maps the faces the editor draws with (Segoe UI, Arial, Consolas) onto free fonts of similar
# metrics in the current wine prefix, so that text lands where it would on Windows.
# Sourced environments call it after wineboot; it needs WINEPREFIX set.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the wine prefix}"

if [[ ! -e /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf ]]; then
  echo "wine-fonts: Liberation fonts missing (package fonts-liberation2)" >&2
fi

reg_file=$(mktemp --suffix=.reg)
trap 'rm -f "$reg_file"' EXIT
cat > "$reg_file" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Segoe UI"="Liberation Sans"
"Arial"="Liberation Sans"
"Consolas"="Liberation Mono"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"Segoe UI"="Liberation Sans"
"Arial"="Liberation Sans"
"Consolas"="Liberation Mono"
REG
wine regedit /S "$(winepath -w "$reg_file")" > /dev/null 2>&1
