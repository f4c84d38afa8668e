#!/usr/bin/env bash
# avec-simulateur.sh SIMULATEUR [OPTION...] -- COMMAND [ARG...]
# Starts the simulated meter with its options, runs COMMAND with the meter's
# device path in $METRE, stops the meter, and exits with COMMAND's status.
set -euo pipefail
simulateur=$1
shift
options=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do options+=("$1"); shift; done
shift
sortie=$(mktemp)
"$simulateur" "${options[@]}" >"$sortie" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -f "$sortie"' EXIT
for _ in $(seq 100); do [ -s "$sortie" ] && break; sleep 0.05; done
METRE=$(head -n 1 "$sortie")
export METRE
[ -n "$METRE" ] || { echo "the simulated meter did not start"; exit 1; }
set +e
"$@"
statut=$?
exit $statut
