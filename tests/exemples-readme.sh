#!/usr/bin/env bash
# exemples-readme.sh: every file of examples/ is quoted whole in README.md, in
# the code block that follows its marker line "<!-- examples/NAME -->", and
# every marker names an existing file. What the README shows is what
# exemples.sh runs.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
readme=$racine/README.md
echecs=0
# bloc NAME: the code block after the marker of NAME, without its fences.
bloc() {
  awk -v marque="<!-- $1 -->" '
    $0 == marque { apres = 1; next }
    apres && /^```/ { if (dedans) exit; dedans = 1; next }
    dedans { print }' "$readme"
}
for f in "$racine"/examples/*; do
  nom=examples/${f##*/}
  if ! grep -qxF "<!-- $nom -->" "$readme"; then
    echo "README.md does not quote $nom"; echecs=$((echecs + 1))
  elif ! diff -u "$f" <(bloc "$nom") >/dev/null; then
    echo "README.md's copy of $nom differs from the file:"
    diff -u "$f" <(bloc "$nom") || true
    echecs=$((echecs + 1))
  else
    echo "ok     $nom"
  fi
done
for nom in $(sed -n 's/^<!-- \(examples\/[^ ]*\) -->$/\1/p' "$readme"); do
  [ -f "$racine/$nom" ] || { echo "README.md quotes $nom, which does not exist"; echecs=$((echecs + 1)); }
done
[ "$echecs" = 0 ]
