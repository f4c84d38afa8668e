#!/usr/bin/env bash
# paquet-zip.sh BUILD_WIN MINGW SIMULATEUR
# Makes the Windows .zip from a mingw build (MINGW is its tool prefix, as
# x86_64-w64-mingw32) and checks what it holds: the program, the DLL with the
# 37 functions, the header and the README, needing no DLL that Windows lacks.
# A 64-bit zip is then used under Wine: the program, and the host example
# built with mingw next to the DLL, reading the simulated meter on com4:.
set -euo pipefail
build=$(realpath "$1") mingw=$2 simulateur=$3
ici=$(cd "$(dirname "$0")" && pwd)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
. "$ici/verifie.sh"

(cd "$t" && cpack -G ZIP -B "$t/paquet" --config "$build/CPackConfig.cmake" >"$t/cpack.log" 2>&1) ||
  { cat "$t/cpack.log"; exit 1; }
zips=("$t"/paquet/lph330t-*.zip)
[ ${#zips[@]} = 1 ] && [ -f "${zips[0]}" ] || { echo "no single .zip in ${zips[*]}"; exit 1; }
nom=$(basename "${zips[0]}" .zip)
echo "made $nom.zip"
python3 -m zipfile -e "${zips[0]}" "$t/x"
d=$t/x/$nom
verifie "the zip holds $nom/ with the program, the DLL, the header and the README" \
  [ "$(cd "$t/x" && find . -type f | sort | paste -sd ' ')" = \
    "./$nom/README.md ./$nom/lph330t.dll ./$nom/lph330t.exe ./$nom/lph330t.h" ]
# The zip's files are stripped: the exports remain, the symbols that show the
# calling convention do not (exports.sh checks that on the build's DLL).
verifie "the DLL's exports" "$ici/exports.sh" "$mingw-objdump" "$d/lph330t.dll"
for f in lph330t.exe lph330t.dll; do
  verifie "$f needs only KERNEL32.dll and msvcrt.dll" [ "$("$mingw-objdump" -p "$d/$f" |
    sed -n 's/^\s*DLL Name: //p' | sort | paste -sd ' ')" = "KERNEL32.dll msvcrt.dll" ]
done
"$mingw-gcc" -Wall -Wextra -Werror "$ici/../examples/hote.c" -o "$d/hote.exe"

if [ "$mingw" != x86_64-w64-mingw32 ]; then
  echo "(not run: Wine here runs 64-bit programs only)"
  [ "$echecs" = 0 ]
  exit
fi
# shellcheck source=tests/windows/wine.sh
. "$ici/windows/wine.sh"
vin_prepare "$build"
crlf() { tr -d '\r'; }
verifie "lph330t.exe titre" [ "$(vin "$d/lph330t.exe" titre | od -An -tx1 | tr -d ' \n')" = \
  "$(printf 'LPH330T en Com4:\r\n' | od -An -tx1 | tr -d ' \n')" ]
metre_demarre "$simulateur" --reponse 'pH  6.85'
verifie "lph330t.exe ead 0" [ "$(vin "$d/lph330t.exe" ead 0 | crlf)" = 6.84999999999999964 ]
verifie "the host example loads lph330t.dll" \
  [ "$(vin "$d/hote.exe" | crlf)" = $'LPH330T en Com4:\npH 6.85' ]
metre_arrete
[ "$echecs" = 0 ]
