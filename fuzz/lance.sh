#!/usr/bin/env bash
# lance.sh BUILD SECONDS: runs every fuzz target of BUILD for SECONDS each,
# starting from its seed corpus in fuzz/corpus/<target>/ (left unchanged:
# the inputs it finds go to BUILD/corpus/<target>/), and prints how many
# inputs each one ran and what it found. A finding is saved in
# BUILD/trouvailles/ and makes the run fail.
set -euo pipefail
build=$1
secondes=${2:-60}
ici=$(cd "$(dirname "$0")" && pwd)
statut=0
resume=""
mkdir -p "$build/trouvailles"
for cible in lisnombre lireponse decoupeligne reelentexte; do
  travail=$build/corpus/$cible
  mkdir -p "$travail"
  journal=$build/$cible.log
  echo "== $cible: $secondes s"
  set +e
  "$build/fuzz-$cible" -max_total_time="$secondes" -print_final_stats=1 \
    -artifact_prefix="$build/trouvailles/$cible-" "$travail" "$ici/corpus/$cible" >"$journal" 2>&1
  code=$?
  set -e
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -n 1)
  if [ "$code" = 0 ]; then
    trouve="nothing"
  else
    trouve="a finding, see $journal and $build/trouvailles/"
    tail -n 30 "$journal"
    statut=1
  fi
  resume+=$(printf '%-14s %12s executions  %s' "$cible" "${executions:-?}" "$trouve")$'\n'
done
echo
printf '%s' "$resume"
exit $statut
