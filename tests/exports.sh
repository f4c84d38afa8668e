#!/usr/bin/env bash
# exports.sh OBJDUMP LIBRARY.dll [stdcall]
# Checks that a Windows build of the driver exports exactly the 37 functions
# of lph330t.map under their plain names; with "stdcall" (32-bit builds),
# also that the std family was compiled in the standard calling convention
# (the linker's own symbols carry the @N size decoration) while the plain
# family was not.
set -euo pipefail
objdump=$1 dll=$2 convention=${3:-}
ici=$(cd "$(dirname "$0")" && pwd)
attendus=$(sed -n '/global:/,/local:/p' "$ici/../driver/lph330t.map" | grep -v -e global: -e local: |
  tr ';' '\n' | tr -d ' ' | grep . | sort)
exportes=$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}' | sort)
if [ "$attendus" != "$exportes" ]; then
  echo "exports of $dll differ from the driver set:"
  diff <(echo "$attendus") <(echo "$exportes") || true
  exit 1
fi
if [ "$convention" = stdcall ]; then
  symboles=$("$objdump" -t "$dll")
  for f in $attendus; do
    case $f in
      std*) motif="_$f@[0-9][0-9]*\$" ;;
      *) motif="_$f\$" ;;
    esac
    grep -q " $motif" <<<"$symboles" || { echo "$f: wrong calling convention in $dll"; exit 1; }
  done
fi
echo "$dll: the 37 functions exported by their plain names${convention:+, std family in __stdcall}"
