#!/usr/bin/env bash
# Runs lv2_validate on every Turtle file of the bundle: validate-bundle.sh LV2_VALIDATE BUNDLE
# Passes when it exits 0 and reports no error; its whole report is printed either way.
set -uo pipefail
validate=${1:?usage: validate-bundle.sh LV2_VALIDATE BUNDLE}
bundle=${2:?usage: validate-bundle.sh LV2_VALIDATE BUNDLE}
shopt -s nullglob
files=("$bundle"/*.ttl)
if [[ ${#files[@]} -eq 0 ]]; then
  echo "FAIL: no Turtle files in $bundle"
  exit 1
fi
report=$("$validate" "${files[@]}" 2>&1)
status=$?
printf '%s\n' "$report"
if [[ $status -ne 0 ]] || grep -q '^error:' <<< "$report"; then
  echo "FAIL: lv2_validate reported errors (exit status $status)"
  exit 1
fi
echo "OK: lv2_validate found no errors in ${#files[@]} files"
