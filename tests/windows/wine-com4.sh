#!/usr/bin/env bash
# wine-com4.sh BUILD_WIN64 SIMULATEUR
# The Win32 serial code under Wine, against the simulated meter on com4:
# values, durations, what the meter received, the line settings it saw, a
# port held by another process, and the processor time of a time-out.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/windows/wine.sh
. "$ici/wine.sh"
vin_prepare "$1"
simulateur=$2
essai=$1/tests/windows/lph330t-essai.exe
requete="3F 52 44 0D"
reglages="reglages baud=9600 parity=n data=8 stop=1 xonxoff=0 rtscts=0"

. "$ici/../verifie.sh"

# lis PORT VOIE: one reading; sets $valeur and $ms.
lis() { read -r valeur ms < <(vin "$essai" ead "$1" "$2" | tr -d '\r'); }

entre() { [ "$1" -ge "$2" ] && [ "$1" -le "$3" ]; }

# Meter options (\x20 for a blank) | port | channel | value | ms from | to |
# request sent
cas=(
  "|com4:|0|7.02|0|300|oui"
  "|\\\\.\\COM4|0|7.02|0|300|oui"
  "--pas 1.04|com4:|0|7.02|0|300|oui"          # the pace of a 9600-baud line
  "--reponse mV\\x20\\x20-123|com4:|1|-123|0|300|oui"
  "--apres \\n7.50\\r|com4:|0|7.02|0|300|oui"  # what follows the CR is not read
  "--delai 800|com4:|0|7.02|800|1300|oui"      # late, but in time
  "--silence|com4:|0|-777|1000|1500|oui"
  "--sans-cr|com4:|0|-777|1000|1500|oui"
  "--flot 300|com4:|0|-777|1000|1500|oui"      # 300 bytes and no CR
  "|com4:|2|-777|1000|1500|non"                # no such channel: nothing sent
  "|com99:|0|-777|1000|1500|non"               # no such port
)
for ligne in "${cas[@]}"; do
  IFS='|' read -r options port voie attendu de a envoi <<<"$ligne"
  read -ra opts <<<"$options"
  metre_demarre "$simulateur" "${opts[@]}"
  lis "$port" "$voie"
  quoi="ead($voie) on $port, meter ${options:-answering}"
  verifie "$quoi: $valeur (expected $attendu)" test "$valeur" = "$attendu"
  verifie "$quoi: $ms ms (expected $de to $a)" entre "$ms" "$de" "$a"
  if [ "$envoi" = oui ]; then
    verifie "$quoi: the meter received $(journal_recu)" test "$(journal_recu)" = "$requete"
    verifie "$quoi: $(grep reglages "$JOURNAL")" grep -q "^$reglages" "$JOURNAL"
  else
    verifie "$quoi: the meter received nothing" test -z "$(journal_recu)"
  fi
  metre_arrete
done

# A second process holding the port: the reading gets no port, sends nothing
# and times out; once the holder has closed the port, readings work again.
metre_demarre "$simulateur"
mkfifo "$VIN_TEMP/entree"
vin "$essai" tiens com4: <"$VIN_TEMP/entree" >"$VIN_TEMP/tiens" &
tient=$!
exec 3>"$VIN_TEMP/entree"
for _ in $(seq 100); do grep -q tenu "$VIN_TEMP/tiens" && break; sleep 0.05; done
: >"$JOURNAL"
lis com4: 0
sansport() { test "$valeur" = -777 && entre "$ms" 1000 1500 && test -z "$(journal_recu)"; }
verifie "port held by another process: $valeur after $ms ms, meter received '$(journal_recu)'" sansport
exec 3>&-
wait "$tient"
lis com4: 0
verifie "port released: $valeur" test "$valeur" = 7.02
metre_arrete

# A reply that comes after the time limit is not taken for the next one's.
metre_demarre "$simulateur" --delai 1100
lis com4: 0
sleep 0.3
lis com4: 0
verifie "late reply left on the line: the next reading gives $valeur" test "$valeur" = -777
metre_arrete

# Processor time of a whole run, in ms: the least of three, so that Wine's
# start-up is counted at its usual cost.
processeur() {
  local min=999999 t
  for _ in 1 2 3; do
    t=$( (vin "$essai" ead com4: 0 >/dev/null; times) | tail -n 1 |
      awk '{ n = 0; for (i = 1; i <= 2; i++) { split($i, p, "m"); n += 60000 * p[1] + 1000 * p[2] } printf "%d", n }')
    [ "$t" -lt "$min" ] && min=$t
  done
  echo "$min"
}
metre_demarre "$simulateur"
vite=$(processeur)
metre_arrete
metre_demarre "$simulateur" --silence
lent=$(processeur)
metre_arrete
# Waiting with Sleep(1) polls would cost about 15 ms here.
verifie "a 1000 ms time-out costs $((lent - vite)) ms of processor more than a prompt reply ($lent ms and $vite ms per run)" \
  test $((lent - vite)) -lt 8

[ "$echecs" -eq 0 ] || { echo "$echecs Windows serial check(s) failed"; exit 1; }
echo "Windows serial code under Wine: all checks passed"
