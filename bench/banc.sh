#!/usr/bin/env bash
# banc.sh BUILD: the benchmark against the simulated meter. The program and
# the Python script both read it as /dev/com4, a private link made by
# tools/avec-com4 (the machine's /dev is left alone). Prints the table of
# medians.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
ici=$(cd "$(dirname "$0")/.." && pwd)
exec "$ici/tests/avec-simulateur.sh" "$build/tools/lph330t-simulateur" --reponse 'pH  7.02' -- \
  sh -c 'exec "$0" "$1" "$METRE" "$2" "$3"' "$build/bench/lph330t-banc" \
  "$ici/tools/avec-com4" "$build/cli/lph330t" "$ici/bench/lecture.py"
