#!/usr/bin/env bash
# manuel.sh MANPAGE: the man page renders without a single warning, and it
# documents every command of the driver set.
set -euo pipefail
page=$1
ici=$(cd "$(dirname "$0")" && pwd)
avertissements=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
[ -z "$avertissements" ] || { echo "groff warnings:"; echo "$avertissements"; exit 1; }
texte=$(MANWIDTH=200 man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$texte" ] || { echo "man warnings:"; echo "$texte"; exit 1; }
rendu=$(MANWIDTH=200 man -l "$page" 2>/dev/null)
manque=""
commandes=$(sed -n '/global:/,/local:/p' "$ici/../driver/lph330t.map" | grep -v -e global: -e local: |
  tr ';' '\n' | tr -d ' ' | grep .)
for mot in $commandes -777 -77700 EConvertError EOverflow EInvalidOp /dev/com4 /dev/ttyS3 \
  SYMLINK+= LC_NUMERIC lph330t-simulateur; do
  grep -qwF -e "$mot" <<<"$rendu" || manque="$manque $mot"
done
[ -z "$manque" ] || { echo "the man page does not mention:$manque"; exit 1; }
echo "$page renders cleanly and names the 37 commands"
