#!/usr/bin/env bash
# paquet-deb.sh BUILD: makes the .deb from the native build, checks what apt
# would need to install it, unpacks it into a scratch root (the machine's own
# system is left alone) and uses what it installed: the program, the
# simulated meter, the man page, the header, the .pc file and the library.
set -euo pipefail
build=$(realpath "$1")
ici=$(cd "$(dirname "$0")" && pwd)
t=$(mktemp -d)
pid=
trap '[ -z "$pid" ] || { kill $pid; wait $pid; } 2>/dev/null; rm -rf "$t"' EXIT
. "$ici/verifie.sh"

(cd "$t" && cpack -G DEB -B "$t/paquet" --config "$build/CPackConfig.cmake" >"$t/cpack.log" 2>&1) ||
  { cat "$t/cpack.log"; exit 1; }
debs=("$t"/paquet/lph330t_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "no single .deb in ${debs[*]}"; exit 1; }
deb=${debs[0]}
echo "made ${deb##*/}"

champ() { dpkg-deb -f "$deb" "$1"; }
verifie "package name" [ "$(champ Package)" = lph330t ]
verifie "maintainer" grep -q '<.*@.*>' <<<"$(champ Maintainer)"
verifie "description" [ -n "$(champ Description)" ]
# The program and the library need the C and C++ run-time libraries.
for d in libc6 libstdc++6; do verifie "depends on $d" grep -qw "$d" <<<"$(champ Depends)"; done
# apt's own check of the package and its dependencies, installing nothing.
verifie "apt-get install ./${deb##*/} would succeed" \
  sh -c 'cd "$1" && apt-get -s -q install "./$2" | grep -q "^Inst lph330t "' sh "${deb%/*}" "${deb##*/}"

r=$t/racine
dpkg -x "$deb" "$r"
lib=$(find "$r" -name liblph330t.so.1)
libdir=${lib%/*}
for f in usr/bin/lph330t usr/bin/lph330t-simulateur usr/include/lph330t.h \
  usr/share/man/man1/lph330t.1 "${libdir#"$r/"}/pkgconfig/lph330t.pc"; do
  verifie "$f installed" [ -f "$r/$f" ]
done
verifie "liblph330t.so.1 is the library's soname" \
  sh -c 'objdump -p "$1" | grep -q "SONAME *liblph330t.so.1$"' sh "$lib"
octets() { od -An -tx1 | tr -d ' \n'; }
verifie "lph330t titre" [ "$("$r/usr/bin/lph330t" titre | octets)" = \
  "$(printf 'LPH330T en Com4:\r\n' | octets)" ]
verifie "the installed man page" "$ici/manuel.sh" "$r/usr/share/man/man1/lph330t.1" >/dev/null

# The installed simulated meter, as com4: of the installed program and of a
# host program built with pkg-config against the installed header and library.
"$r/usr/bin/lph330t-simulateur" --reponse 'pH  6.85' >"$t/metre" &
pid=$!
for _ in $(seq 100); do [ -s "$t/metre" ] && break; sleep 0.05; done
metre=$(head -n 1 "$t/metre")
verifie "lph330t ead 0 with the installed meter" [ "$("$ici/../tools/avec-com4" "$metre" \
  "$r/usr/bin/lph330t" ead 0 | tr -d '\r')" = 6.84999999999999964 ]
drapeaux=$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs lph330t)
chemins() { for d in $drapeaux; do [ "${d#-[IL]}" = "$d" ] || realpath "${d#-[IL]}"; done; }
verifie "pkg-config points into the installed tree" \
  [ "$(chemins | paste -sd ' ')" = "$r/usr/include $libdir" ]
# shellcheck disable=SC2086 # the flags are words
cc -Wall -Wextra -Werror "$ici/../examples/lie.c" $drapeaux -o "$t/lie"
verifie "the host program uses the installed library" \
  sh -c 'LD_LIBRARY_PATH="$1" ldd "$2" | grep -q "liblph330t.so.1 => $1/liblph330t.so.1 "' \
  sh "$libdir" "$t/lie"
verifie "a host program built with pkg-config" [ "$(LD_LIBRARY_PATH=$libdir \
  "$ici/../tools/avec-com4" "$metre" "$t/lie")" = $'LPH330T en Com4:\npH 6.85' ]
[ "$echecs" = 0 ]
