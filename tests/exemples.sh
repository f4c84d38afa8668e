#!/usr/bin/env bash
# exemples.sh PROGRAMME LIBRARY SIMULATEUR
# The host program examples of examples/, built as the README says, each run
# against the simulated meter on its own com4: and against no meter at all.
set -euo pipefail
programme=$(realpath "$1") bibliotheque=$(realpath "$2") simulateur=$3
ici=$(cd "$(dirname "$0")" && pwd)
exemples=$ici/../examples
avec_com4=$ici/../tools/avec-com4
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT

# The library under its soname and the program under its name, where a host
# finds them once installed.
mkdir "$t/lib" "$t/bin"
ln -s "$bibliotheque" "$t/lib/liblph330t.so.1"
ln -s "$bibliotheque" "$t/lib/liblph330t.so"
ln -s "$programme" "$t/bin/lph330t"
cc -Wall -Wextra -Werror "$exemples/hote.c" -o "$t/hote"
cc -Wall -Wextra -Werror -I"$ici/../driver" "$exemples/lie.c" -L"$t/lib" -llph330t -o "$t/lie"

echecs=0
# essaie DEVICE STATUS EXPECTED COMMAND...: runs COMMAND on com4: = DEVICE.
essaie() {
  local peripherique=$1 attendu_statut=$2 attendu=$3
  shift 3
  local sortie statut=0
  sortie=$("$avec_com4" "$peripherique" env LD_LIBRARY_PATH="$t/lib" PATH="$t/bin:$PATH" \
    "$@" 2>&1) || statut=$?
  if [ "$sortie" = "$attendu" ] && [ "$statut" = "$attendu_statut" ]; then
    echo "ok     ${*##*/} on $peripherique"
  else
    echo "FAILED ${*##*/} on $peripherique: status $statut, printed:"
    echo "$sortie"
    echecs=$((echecs + 1))
  fi
}

"$simulateur" --reponse 'pH  6.85' >"$t/metre" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$t"' EXIT
for _ in $(seq 100); do [ -s "$t/metre" ] && break; sleep 0.05; done
metre=$(head -n 1 "$t/metre")

titre="LPH330T en Com4:"
for exemple in "$t/hote" "$t/lie" "python3 $exemples/hote.py"; do
  # shellcheck disable=SC2086 # the Python example is two words
  essaie "$metre" 0 "$titre"$'\n'"pH 6.85" $exemple
  # shellcheck disable=SC2086
  essaie /nonexistent 1 "$titre"$'\n'"no reading" $exemple
done
essaie "$metre" 0 "pH 6.85" sh "$exemples/lecture.sh"
essaie /nonexistent 1 "no reading" sh "$exemples/lecture.sh"
[ "$echecs" = 0 ]
