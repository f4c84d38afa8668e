#!/usr/bin/env bash
# memes-octets.sh BUILD CROSS_BUILD
# The same bytes from the program of BUILD (x86-64, the x87 real) and the
# program of CROSS_BUILD (aarch64 under qemu-user, the software real): a
# table of command lines against the simulated meter, the error reports of
# numbers that cannot be converted, and the number forms of a few hundred
# thousand generated numbers and texts (tests/octets).
set -euo pipefail
natif=$(realpath "$1") croise=$(realpath "$2")
ici=$(cd "$(dirname "$0")" && pwd)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
simulateur=$natif/tools/lph330t-simulateur  # the meter is not under test
echecs=0

# compare WHAT: the two outputs in $t/a and $t/b, byte for byte.
compare() {
  if cmp -s "$t/a" "$t/b"; then
    echo "same   $1 ($(wc -c <"$t/a") bytes)"
  else
    echo "DIFFER $1"
    diff <(od -c "$t/a") <(od -c "$t/b") | head -20
    echecs=$((echecs + 1))
  fi
}

# Readings: each reply of the meter, read by the commands whose output
# depends on how the reply's number is read, scaled, multiplied and printed.
reponses=("pH  7.02" "pH 10.04" "pH 99.99" "pH  0.01" "pH 13.95" "pH  0.05" "pH -1.25"
  "pH  -.50" "pH 12.-5" "pH  4.10" "pH  1.15" "pH  2.675" "pH  .005" "pH 00.10" "pH  9.99"
  "mV  123" "mV  -123" "mV  12.5" "mV  .001" "mV  -.01" "mV  9999" "mV  0.35" "mV  2.55"
  "mV  -0.5" "mV  1.005" "pH  7/02" "")
commandes=("ead 0" "ea 0" "stdeas 0" "stdea 0" "ead 1" "ea 1" "stdeas 1" "ea 0.5" "ea 1.5")
lectures() {  # lectures PROGRAM: every command on every reply
  local programme=$1 r
  for r in "${reponses[@]}"; do
    # shellcheck disable=SC2016
    "$ici/avec-simulateur.sh" "$simulateur" --reponse "$r" -- sh -c '
      exec "$AVEC_COM4" "$METRE" sh -c "p=\$1; shift; for c; do \$p \$c; echo \" <- \$c\"; done" "$@"' \
      lectures lectures "$programme" "${commandes[@]}" || true
  done
}
export AVEC_COM4=$ici/../tools/avec-com4
lectures "$natif/cli/lph330t" >"$t/a"
lectures "$croise/tests/emule/lph330t-programme" >"$t/b"
compare "readings of ${#reponses[@]} replies by ${#commandes[@]} commands"

# Error reports: the failing place (eight hexadecimal digits relative to the
# program's image) belongs to each build's own code and is left out.
rapports=("ea x" "ea 1e400" "sad 1 1e309" "ea 9.3e18" "ea 1e19" "stdsas 0 1e39" "stdsas 0 3.4028235e38"
  "ea -9223372036854775809" "ea 9223372036854774784" "ea 1e-5000" "ea 1E5000" "sad 1 ,5")
rapport() {  # rapport PROGRAM
  local c
  for c in "${rapports[@]}"; do
    # shellcheck disable=SC2086
    "$1" $c | sed 's/ \xE0 [0-9A-F]\{8\}\./ \xE0 ########./' || true
    echo " <- $c"
  done
}
rapport "$natif/cli/lph330t" >"$t/a"
rapport "$croise/tests/emule/lph330t-programme" >"$t/b"
compare "reports of ${#rapports[@]} command lines"

# Number forms over generated inputs.
python3 "$ici/octets-entrees.py" 200000 >"$t/entrees"
"$natif/tests/octets" <"$t/entrees" >"$t/a"
"$croise/tests/emule/octets" <"$t/entrees" >"$t/b"
compare "number forms of $(wc -l <"$t/entrees") inputs"

[ "$echecs" = 0 ]
