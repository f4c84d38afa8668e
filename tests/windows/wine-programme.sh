#!/usr/bin/env bash
# wine-programme.sh BUILD BUILD_WIN64
# The Windows program under Wine and the Linux program answer the same table
# of cases from the same simulated meter on com4: with the same bytes (the
# error report names its module, lph330t.exe or lph330t, and its place in
# it, which differ), the same exit status and nothing on the error stream.
# The Windows program gets its command line as one text, exactly as written
# in the table; the Linux program gets the words it should find in it.
# Then what only the Windows program has: output to a file and to a console.
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/windows/wine.sh
. "$ici/wine.sh"
linux=$1/cli/lph330t
simulateur=$1/tools/lph330t-simulateur
avec_com4=$ici/../../tools/avec-com4
vin_prepare "$2"
lanceur=$2/tests/windows/lph330t-lance.exe
exe=$(cd "$2/cli" && pwd)/lph330t.exe
exe_windows="Z:${exe//\//\\}"
if ! locale -a | grep -qix 'fr_FR.utf-\?8'; then
  echo "the fr_FR.UTF-8 locale is missing (make deps generates it)"
  exit 1
fi

. "$ici/../verifie.sh"

# lance SORTIE COMMAND...: standard output into the file SORTIE, through a
# pipe or straight ($mode), the error stream into SORTIE.err and the exit
# status into SORTIE.statut.
mode=tube
lance() {
  local sortie=$1 s=0
  shift
  if [ "$mode" = tube ]; then
    { "$@" 2>"$sortie.err" || s=$?; echo "$s" >"$sortie.statut"; } | cat >"$sortie"
  else
    "$@" >"$sortie" 2>"$sortie.err" || s=$?
    echo "$s" >"$sortie.statut"
  fi
}

# windows SORTIE LIGNE [NAME=VALUE...]: the Windows program with the command
# line "<program> LIGNE".
windows() {
  local sortie=$1 ligne=$2
  shift 2
  lance "$sortie" env "$@" LIGNE="\"$exe_windows\" $ligne" "$WINE" "$lanceur"
}

# linux SORTIE [NAME=VALUE...] -- WORD...: the Linux program on its own
# /dev/com4, the meter's pseudo-terminal.
linux() {
  local sortie=$1
  shift
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  lance "$sortie" env "${env[@]}" "$avec_com4" "$METRE" "$linux" "$@"
}

# The error report's module and place, which differ by platform, as MODULE
# and XXXXXXXX; each platform must name its own module.
normalise() {
  LC_ALL=C sed -E "s/ dans le module $2 \\xE0 [0-9A-F]{8}\\./ dans le module MODULE \\xE0 XXXXXXXX./" "$1"
}

identique() { cmp -s <(normalise "$1" "$2") <(printf '%b' "$3"); }

montre() { LC_ALL=C od -An -c "$1" | tr -s ' \n' ' ' | head -c 300; }

# cas LOCALE 'METER OPTIONS' 'WINDOWS COMMAND LINE' 'EXPECTED' LINUX WORD...
# EXPECTED in printf %b form; a report sets the expected exit status to 1.
cas() {
  local locale=$1 options=$2 ligne=$3 attendu=$4
  shift 4
  local opts env=() statut=0
  read -ra opts <<<"$options"
  [ "$locale" = C ] || env=(LC_ALL="$locale")
  [[ $attendu == Exception* ]] && statut=1
  metre_demarre "$simulateur" "${opts[@]}"
  windows "$VIN_TEMP/w" "$ligne" "${env[@]}"
  linux "$VIN_TEMP/l" "${env[@]}" -- "$@"
  metre_arrete
  local quoi
  quoi="[$mode, $locale${options:+, meter $options}] lph330t.exe $ligne / lph330t$(printf ' [%s]' "$@")"
  if identique "$VIN_TEMP/w" 'lph330t\.exe' "$attendu" && identique "$VIN_TEMP/l" lph330t "$attendu"; then
    verifie "$quoi: same bytes" true
  else
    verifie "$quoi: Windows [$(montre "$VIN_TEMP/w")] Linux [$(montre "$VIN_TEMP/l")] expected [$attendu]" false
  fi
  verifie "$quoi: exit status $(cat "$VIN_TEMP/w.statut") and $(cat "$VIN_TEMP/l.statut"), nothing on the error stream" \
    test "$(cat "$VIN_TEMP/w.statut") $(cat "$VIN_TEMP/l.statut")|$(cat "$VIN_TEMP/w.err" "$VIN_TEMP/l.err")" = "$statut $statut|"
}

# Expected outputs, all in printf %b form.
ph='7.01999999999999957\r\n'
rapport() { printf '%s' "Exception $1 dans le module MODULE \\xE0 XXXXXXXX.\\n$2\\r\\n"; }
convertir() { rapport EConvertError "'$1' n'est pas une valeur en virgule flottante correcte."; }
detail='pilote ex\xE9cutable pour pHm\xE8tre Tacussel LPH330T en Com4:, Orlavex, 26 nov 07\r\n'

cas C '' 'ead 0' "$ph" ead 0
cas C '' 'ea 0' '702\r\n' ea 0
cas C '' 'stdeas 0' '7.01999998092651367\r\n' stdeas 0
cas C '' '"ead" "0"' "$ph" ead 0
cas C '' 'e"a"d 0' "$ph" ead 0
cas C '--reponse mV\x20\x20-123' 'ea "" 1' '-123\r\n' ea 1
cas C '' '"" titre' 'LPH330T en Com4:\r\n' titre
cas C '' 'titre "1 2"' "$(convertir '1 2')" titre '1 2'
cas C '' 'ti"tre 1 2' '' 'titre 1 2'
cas C '' 'titre \"1"' "$(convertir '\\1')" titre '\1'
cas C '' $'ea\t0\x01' '702\r\n' ea 0
cas C '' 'EA 0' '' EA 0
cas C '' 'detail' "$detail" detail
cas C '' 'ea 1e19' "$(rapport EInvalidOp 'Op\xE9ration en virgule flottante incorrecte.')" ea 1e19
cas C '' 'ea 1e400' "$(rapport EOverflow 'D\xE9bordement en virgule flottante.')" ea 1e400
cas C '--silence' 'ead 0' '-777\r\n' ead 0
cas fr_FR.UTF-8 '' 'ead 0' '7,01999999999999957\r\n' ead 0
cas fr_FR.UTF-8 '' 'ea 0,5' '702\r\n' ea 0,5
cas fr_FR.UTF-8 '' 'ea 0.5' "$(convertir 0.5)" ea 0.5
# More than the 128 bytes that a pipe or a file gets at a time.
long=$(printf 'x%.0s' {1..300})
cas C '' "titre $long" "$(convertir "$long")" titre "$long"

mode=fichier
cas C '' 'ead 0' "$ph" ead 0
cas C '' "titre $long" "$(convertir "$long")" titre "$long"
mode=tube

# console SORTIE LIGNE: the Windows program with a terminal as standard
# output, which Wine makes its console. SORTIE gets what reached the
# terminal, SORTIE.statut the exit status.
console() {
  python3 - "$1" "$WINE" "$lanceur" <<'PY'
import os, pty, select, sys, tty
sortie, commande = sys.argv[1], sys.argv[2:]
maitre, esclave = pty.openpty()
tty.setraw(esclave)
pid = os.fork()
if pid == 0:
    os.dup2(esclave, 1)
    os.execv(commande[0], commande)
os.close(esclave)
recu = b""
while True:
    if select.select([maitre], [], [], 0.2)[0]:
        try:
            recu += os.read(maitre, 4096)
            continue
        except OSError:
            pass
    fini, statut = os.waitpid(pid, os.WNOHANG)
    if fini:
        break
open(sortie, "wb").write(recu)
open(sortie + ".statut", "w").write("%d" % os.waitstatus_to_exitcode(statut))
PY
}

# Wine's console shows each write between a pair of cursor sequences (ESC [
# ? 25 l ... ESC [ ? 25 h) and recodes it for the terminal: what can be seen
# is the number of writes and the text of plain ASCII lines.
ecritures() { grep -o $'\e\\[?25l' "$1" | wc -l; }
texte() { sed $'s/\e\\[?25[lh]//g' "$1"; }
metre_demarre "$simulateur"
LIGNE="\"$exe_windows\" ead 0" console "$VIN_TEMP/c"
verifie "console: ead 0 gives $(ecritures "$VIN_TEMP/c") write(s) [$(montre "$VIN_TEMP/c")]" \
  test "$(ecritures "$VIN_TEMP/c") $(texte "$VIN_TEMP/c")" = $'1 7.01999999999999957\r'
# A console gets each line at its line end: the report's two lines are two
# writes (a file or a pipe would get one).
LIGNE="\"$exe_windows\" ea 1e19" console "$VIN_TEMP/c"
verifie "console: a report in $(ecritures "$VIN_TEMP/c") writes, exit status $(cat "$VIN_TEMP/c.statut")" \
  test "$(ecritures "$VIN_TEMP/c") $(cat "$VIN_TEMP/c.statut")" = "2 1"
LIGNE="\"$exe_windows\" inconnu 0" console "$VIN_TEMP/c"
verifie "console: a word that is not a command writes nothing [$(montre "$VIN_TEMP/c")]" \
  test ! -s "$VIN_TEMP/c"
metre_arrete

[ "$echecs" -eq 0 ] || { echo "$echecs Windows program check(s) failed"; exit 1; }
echo "Windows program under Wine: all checks passed"
