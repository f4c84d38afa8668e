#!/usr/bin/env bash
# demo.sh BUILD: the program answering a few questions from the simulated
# meter through com4:, each with its exit status. Leaves nothing behind.
set -euo pipefail
build=${1:-build}
ici=$(cd "$(dirname "$0")" && pwd)
programme=$build/cli/lph330t
simulateur=$build/tools/lph330t-simulateur
sorties=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$sorties"' EXIT

# Starts a simulated meter giving the reply $1; its device path goes to the
# file $2 of $sorties.
meter() {
  "$simulateur" --reponse "$1" >"$sorties/$2" &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$sorties/$2" ] && break; sleep 0.05; done
}

# Runs the program on its own com4: and shows its line and exit status.
question() {
  local peripherique=$1
  shift
  printf '$ lph330t %s\n' "$*"
  set +e
  "$ici/avec-com4" "$peripherique" "$programme" "$@" | LC_ALL=C sed 's/\r$//' | iconv -f WINDOWS-1252 -t UTF-8
  local statut=${PIPESTATUS[0]}
  set -e
  printf '  (exit status %s)\n\n' "$statut"
}

meter 'pH  7.02' ph
meter 'mV  -123' mv
ph=$(head -n 1 "$sorties/ph")
mv=$(head -n 1 "$sorties/mv")
echo "Simulated meter showing 'pH  7.02' on $ph, then 'mV  -123' on $mv; each is com4: in turn."
echo
question "$ph" ead 0
question "$ph" ea 0
question "$ph" nead 0
question "$mv" ead 1
question "$ph" titre
question "$ph" ead pH
echo "With nothing on com4:"
question /nonexistent ead 0
